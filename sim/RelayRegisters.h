#pragma once
// The relay's register map as the simulator serves it: addresses, status bits
// and alarm bits.
namespace relvo7::sim::reg {

inline constexpr int OperatingMinutesHigh = 98;  // 98-99: total operating minutes, high word first
inline constexpr int OperatingMinutesLow = 99;
inline constexpr int PhaseCurrent1 = 100;        // 100-102, 0.1 A (divided by the CT factor)
inline constexpr int ZeroSeqCurrent = 103;
inline constexpr int AverageCurrent1 = 104;      // 104-106
inline constexpr int HighestAverage1 = 107;      // 107-109
inline constexpr int StartingCurrent = 110;
inline constexpr int OverloadCurrent = 111;
inline constexpr int StartingTime = 112;         // s
inline constexpr int NegSeqCurrent = 113;
inline constexpr int PhaseVoltage1 = 114;        // 114-116, V
inline constexpr int LineVoltageAB = 117;        // 117-119, V
inline constexpr int PosSeqVoltage = 120;
inline constexpr int NegSeqVoltage = 121;
inline constexpr int ZeroSeqVoltage = 122;
inline constexpr int Temperature1 = 123;
inline constexpr int Temperature2 = 124;
inline constexpr int AnalogCurrent = 125;        // 0.1 mA
inline constexpr int AnalogVoltage = 126;        // 0.1 V
inline constexpr int DeviceHours = 127;          // h
inline constexpr int Frequency = 128;            // 0.1 Hz
inline constexpr int OverloadCountdown = 129;    // s until the overload trip
inline constexpr int RestartCountdown = 130;     // s left of the automatic-restart delay
inline constexpr int OverloadWait = 131;         // s of cooling wait after an overload trip
inline constexpr int Insulation = 132;           // 0.1 MOhm
inline constexpr int ThermalHigh = 133;          // 133-134: thermal value, high word first
inline constexpr int ThermalLow = 134;
inline constexpr int PowerFactor1 = 141;         // 141-146: three signed 32-bit, low word first, 1/1000
inline constexpr int LastMeasurement = 146;
inline constexpr int JournalPointer = 147;
inline constexpr int FirstConfig = 150;
inline constexpr int LastConfig = 230;
inline constexpr int Version = 217;
inline constexpr int Command = 237;
inline constexpr int StatusWord = 240;
inline constexpr int AlarmWordLow = 241;
inline constexpr int AlarmWordHigh = 242;
inline constexpr int JournalFirst = 243;         // 243-262: five entries of four registers
inline constexpr int JournalLast = 262;
inline constexpr int AlarmValueFirst = 300;      // 300-315: values at the trip
inline constexpr int AlarmValueLast = 315;
inline constexpr int AnalogCurrentAlarmValue = 325;
inline constexpr int AnalogVoltageAlarmValue = 326;
inline constexpr int Count = 400;                // size of the simulator's register array

// Values meaning "not running / no value".
inline constexpr int NotCounting = 65535;
inline constexpr int SensorOff = 5000;
inline constexpr int NoJournalValue = 10000;

// Status word (register 240) bits.
inline constexpr unsigned StatusFault = 1u << 0;
inline constexpr unsigned StatusMotorRelay = 1u << 1;
inline constexpr unsigned StatusFunctionRelay = 1u << 2;
inline constexpr unsigned StatusRestartPending = 1u << 3;
inline constexpr int StatusRelayModeShift = 4;    // bits 4-5
inline constexpr unsigned StatusMinimalParams = 1u << 6;

// Alarm word bits (241 = bits 0-15, 242 = bits 16-31).
inline constexpr int AlarmOverCurrent = 0;
inline constexpr int AlarmThermal = 1;
inline constexpr int AlarmUnderVoltage = 12;
inline constexpr int AlarmOverVoltage = 13;
inline constexpr int AlarmPhaseLoss = 23;

// Command codes written to register 237.
inline constexpr int CmdStop = 0;
inline constexpr int CmdStart = 2;
inline constexpr int CmdReset = 55;
inline constexpr int CmdRestart = 88;

} // namespace relvo7::sim::reg
