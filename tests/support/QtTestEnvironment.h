#pragma once
// The one QApplication of a GUI test program: started before the first test with a settings
// folder of its own (ctest runs test programs in parallel, and the windows read and write their
// settings), the program's resources, product 4, English texts with their fonts, and a message
// box that never waits for a click. A test program registers it once:
//     VX_QT_TEST_ENVIRONMENT(TQtTestEnvironment);
// and may derive from it to add its own set-up in Prepare().
#include <QString>
#include <gtest/gtest.h>

class QApplication;
class QTemporaryDir;

class TQtTestEnvironment : public testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

protected:
    // Called after the application and the resources are ready.
    virtual void Prepare() {}
    // Called before the application ends.
    virtual void Finish() {}

private:
    QApplication* app_ = nullptr;
    QTemporaryDir* settingsDir_ = nullptr;
};

#define VX_QT_TEST_ENVIRONMENT(type) \
    [[maybe_unused]] static testing::Environment* const vx_qt_test_environment = \
        testing::AddGlobalTestEnvironment(new type)
