#pragma once
// Identifiers of the panel's controls and pictures. The window names its
// widgets by them, the engine addresses them by them, and a test asks for
// "label 1061" by them.

namespace relvo7::panel::id {

// Pseudo-control: the window's title.
inline constexpr int WindowTitle = 0;

// Buttons.
inline constexpr int Settings = 1000;
inline constexpr int Connect = 1051;
inline constexpr int Start = 1104;
inline constexpr int Stop = 1163;
inline constexpr int Reset = 1105;
inline constexpr int Journal = 1166;
inline constexpr int MotorPicture = 1165;

// Relay-mode radio buttons.
inline constexpr int ModeSignalling = 1016;
inline constexpr int ModeTimer = 1017;
inline constexpr int ModeStarDelta = 1047;

// LEDs.
inline constexpr int LedTmlpp = 1056;
inline constexpr int LedMotorRelay = 1057;
inline constexpr int LedFunctionRelay = 1058;
inline constexpr int LedFault = 1059;
inline constexpr int LedRestart = 1152;     // SPZ
inline constexpr int LedRemote = 1153;      // ZS
inline constexpr int LedButtonInputs = 1162; // Wej.Ze.

// Alarm list and heating graph.
inline constexpr int AlarmList = 1046;
inline constexpr int HeatingGraph = 1100;

// Status group.
inline constexpr int Activity = 1082;
inline constexpr int StatusLabel = 1081;
inline constexpr int ConnectionClock = 1079;
inline constexpr int DateTimeLabel = 1060;

// Value labels.
inline constexpr int PhaseCurrent1 = 1061, PhaseCurrent2 = 1062, PhaseCurrent3 = 1063;
inline constexpr int ZeroCurrent = 1064;
inline constexpr int AvgCurrent1 = 1065, AvgCurrent2 = 1066, AvgCurrent3 = 1067;
inline constexpr int AvgPeriod = 1068;
inline constexpr int MaxAvgCurrent1 = 1069, MaxAvgCurrent2 = 1070, MaxAvgCurrent3 = 1071;
inline constexpr int StartingCurrent = 1072, OverloadCurrent = 1073;
inline constexpr int NegativeCurrent = 1074;
inline constexpr int LineVoltage1 = 1075, LineVoltage2 = 1076, LineVoltage3 = 1077;
inline constexpr int ZeroVoltage = 1078;
inline constexpr int PhaseVoltage1 = 1083, PhaseVoltage2 = 1084, PhaseVoltage3 = 1085;
inline constexpr int PositiveVoltage = 1086, NegativeVoltage = 1087;
inline constexpr int RestartTime = 1088, StartingTime = 1089, OverloadTripTime = 1090, OverloadWaitTime = 1091;
inline constexpr int Temperature1 = 1092, Temperature2 = 1093;
inline constexpr int AnalogCurrent = 1094, AnalogVoltage = 1095;
inline constexpr int Frequency = 1096, Insulation = 1097;
inline constexpr int HeatingPercent = 1101;
inline constexpr int PowerValue1 = 1157, PowerValue2 = 1158, PowerValue3 = 1159;

// Bars.
inline constexpr int BarPhaseCurrent1 = 1035, BarPhaseCurrent2 = 1036, BarPhaseCurrent3 = 1037;
inline constexpr int BarZeroCurrent = 1038, BarNegativeCurrent = 1039;
inline constexpr int BarLineVoltage1 = 1040, BarLineVoltage2 = 1041, BarLineVoltage3 = 1042;
inline constexpr int BarNegativeVoltage = 1043;
inline constexpr int BarPhaseVoltage1 = 1044, BarPhaseVoltage2 = 1052, BarPhaseVoltage3 = 1053;
inline constexpr int BarRestart = 1045;

} // namespace relvo7::panel::id

namespace relvo7::panel::picture {
// Pictures of the activity indicator 1082.
inline constexpr int ActivityGood = 137;
inline constexpr int ActivityIdle = 138;
inline constexpr int ActivityFailing = 139;
} // namespace relvo7::panel::picture
