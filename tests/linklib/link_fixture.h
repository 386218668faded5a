// Common set-up of link-library tests: every test leaves both transports closed.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "relvo7link.h"

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { DLL_SetIOTimeout(1000); }
    void TearDown() override
    {
        COM_Close();
        TCP_Close();
    }

    static int openTcp(uint16_t port) { return TCP_Open(u"127.0.0.1", port); }
    static int openSerial(const std::u16string& path)
    {
        const int rc = COM_Open(path.c_str());
        return rc != 0 ? rc : COM_Setup(1, 3, 0, 0);
    }
    // Register i of a read buffer.
    static uint16_t reg(const uint8_t* buffer, int i) { return static_cast<uint16_t>(buffer[2 * i] * 256 + buffer[2 * i + 1]); }
};
