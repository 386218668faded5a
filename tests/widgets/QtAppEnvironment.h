#pragma once
// One Qt application object for a whole test program (fonts and pixmaps need it).
#include <gtest/gtest.h>

#include <memory>

template <typename App>
class QtAppEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<App>(m_argc, m_argv); }
    void TearDown() override { m_app.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "relvo7_tests";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<App> m_app;
};
