/*
 * relvo7link.h - the device link library of the RELVO-7 motor-protection relay.
 *
 * The library owns one serial port and one Modbus TCP connection. The transport
 * opened last carries the two Modbus functions the relay understands: 03 (read
 * holding registers) and 06 (write single register). Calls from any number of
 * threads run one at a time, in the order they arrived. Every result is an int
 * code; nothing is thrown, shown or logged.
 *
 * Usable from C (C11, for char16_t) and C++. Strings are UTF-16.
 */
#ifndef RELVO7LINK_H
#define RELVO7LINK_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#else
#include <uchar.h>
#endif

#if defined(_WIN32)
#  if defined(RELVO7LINK_BUILDING)
#    define RELVO7LINK_API __declspec(dllexport)
#  else
#    define RELVO7LINK_API __declspec(dllimport)
#  endif
#else
#  define RELVO7LINK_API __attribute__((visibility("default")))
#endif

/* ---- Result codes ---------------------------------------------------------- */
enum {
    LINK_OK = 0,               /* done */
    COM_ERR_OPEN = -1,         /* no port name; port cannot be opened; (COM_Setup) port not open */
    COM_ERR_SETUP = -2,        /* a step of the line configuration failed */
    TCP_ERR_SOCKET = -3,       /* no address given, or no socket can be created */
    TCP_ERR_CONNECT = -4,      /* a socket option failed, or the connection was refused or failed */
    LINK_ERR_LENGTH = -7,      /* COM_Open: name of 250+ characters; MODBUS_Read03: reply larger than the buffer */
    TCP_ERR_STARTUP = -8,      /* socket library or receiver thread could not be started */
    MODBUS_ERR_IO = -100,      /* no transport selected, or the serial write/read call failed */
    MODBUS_ERR_TIMEOUT = -102, /* no complete, matching reply before the deadline */
    MODBUS_ERR_EXCEPTION = -103, /* exception reply; its code is in MODBUS_GetDeviceError() */
    MODBUS_ERR_CRC = -104,     /* RTU reply with a wrong CRC */
    MODBUS_ERR_ANSWER = -105,  /* reply from another device address, or (RTU) an unexpected function */
    MODBUS_ERR_CLOSED = -106,  /* selected transport not open; or a TCP send failed (connection closed) */
    MODBUS_ERR_ECHO = -107,    /* MODBUS_Write06: the reply does not repeat register and value */
    MODBUS_ERR_OVERFLOW = -108 /* RTU: the waiting bytes would overflow the receive area */
};

/* Row counts of the two device tables. */
enum { RELVO7_ERR_INFO_COUNT = 32, RELVO7_MEASURE_INFO_COUNT = 49 };

/* ---- Device tables ---------------------------------------------------------- */

/* One alarm or event the relay can signal; row i is bit i of the alarm word. */
typedef struct _tagSTRUCT_ERR_INFO {
    uint32_t nValueAdr;        /* register holding the value at the trip; 0 = no value */
    int32_t nDivider;          /* 0: integer value; 10: value / 10 with one decimal */
    const char16_t* pszUnit;
    const char16_t* pszCode;   /* as the relay's display shows it */
    const char16_t* pszText;   /* Polish description */
} _tagSTRUCT_ERR_INFO;

/* One measured quantity; row r is value r of every measurement block and sample. */
typedef struct _tagSTRUCT_MEASURE_INFO {
    int32_t nDivider;          /* displayed value = raw / nDivider */
    const char16_t* pszCode;
    const char16_t* pszUnit;
    const char16_t* pszText;
} _tagSTRUCT_MEASURE_INFO;

RELVO7LINK_API extern const uint32_t dll_nVerDll;    /* 31: data version, stamped into database files */
RELVO7LINK_API extern const uint32_t dll_nVerDevAdr; /* 217: register holding the relay's software version */
RELVO7LINK_API extern const uint32_t dll_nVerMinor;  /* 10: smallest accepted relay software version */
RELVO7LINK_API extern const uint32_t dll_nVerMajor;  /* 55: largest accepted relay software version */

RELVO7LINK_API extern const _tagSTRUCT_ERR_INFO dll_nErrInfo[32];
RELVO7LINK_API extern const _tagSTRUCT_MEASURE_INFO dll_nMeasureInfo[49];

/* ---- Serial port -------------------------------------------------------------
 * COM_Open: a name starting with '/' is used as the device path as it stands;
 * any other name is opened as "/dev/" + name. Returns 0, -1 or -7.
 * COM_Setup(baud, dataBits, parity, stopBits) takes indexes:
 *   baud     0: 9600, 1: 19200, other: 9600
 *   dataBits 0: 5, 1: 6, 2: 7, 3 and other: 8
 *   parity   0: none, 1: odd, 2: even, other: none
 *   stopBits 0: 1, 1: 2 (termios has no 1.5 stop bits), 2 and other: 2
 * Returns 0, -1 (port not open) or -2. */
RELVO7LINK_API int COM_Open(const char16_t* portName);
RELVO7LINK_API int COM_Setup(uint32_t baudIndex, uint32_t dataBitsIndex, uint32_t parityIndex,
                             uint32_t stopBitsIndex);
RELVO7LINK_API int COM_Close(void);
RELVO7LINK_API int COM_IsOpen(void);

/* ---- Modbus TCP --------------------------------------------------------------
 * TCP_Open: dotted IPv4 address (no name lookup) and port. Returns 0, -3, -4, -8. */
RELVO7LINK_API int TCP_Open(const char16_t* address, uint32_t port);
RELVO7LINK_API int TCP_Close(void);
RELVO7LINK_API int TCP_IsOpen(void);

/* ---- Modbus transactions -----------------------------------------------------
 * MODBUS_Read03: number of data bytes copied into buffer (> 0) or a code.
 *   Register i of the reply is buffer[2i] * 256 + buffer[2i+1]. Over RTU a
 *   buffer of exactly the byte count is refused (-7); over TCP it is accepted.
 *   Only bytes of the matching reply frame are ever copied: a TCP frame too
 *   short for the data it announces is skipped like a stale one (-102 when
 *   nothing else comes).
 * MODBUS_Write06: 1 when the relay echoed the request, else a code.
 *   Bits 8..15 of *value are the high byte, bits 0..7 the low byte. A null
 *   value pointer returns -100 without sending.
 * Calls from all threads run one at a time in arrival order. A call still
 * waiting when a transport is opened or closed keeps its place and runs on the
 * transport selected when its turn comes (-100 when none is). */
RELVO7LINK_API int MODBUS_Read03(uint32_t deviceAddress, uint32_t firstRegister,
                                 uint32_t registerCount, uint8_t* buffer, uint32_t bufferSize);
RELVO7LINK_API int MODBUS_Write06(uint32_t deviceAddress, uint32_t reg, const int32_t* value);
/* Exception code of the most recent exception reply (0 when the last transaction had none). */
RELVO7LINK_API uint32_t MODBUS_GetDeviceError(void);

/* ---- Settings ---------------------------------------------------------------- */
/* Reply time-out of every transaction (ms, 100 at load); also the send and receive
 * time-out given to the next TCP socket. */
RELVO7LINK_API void DLL_SetIOTimeout(uint32_t milliseconds);
/* A value kept for the caller; the library does not use it. */
RELVO7LINK_API void DLL_SetUserFlag(uint32_t value);
RELVO7LINK_API uint32_t DLL_GetUserFlag(void);

#ifdef __cplusplus
}
#endif

#endif /* RELVO7LINK_H */
