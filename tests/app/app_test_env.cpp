// One QApplication for the whole test program (fonts, pictures and windows need it).
#include <QApplication>
#include <gtest/gtest.h>

namespace {
class QtEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "VX";  // program file name as the real one
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    QApplication* app_ = nullptr;
};

[[maybe_unused]] testing::Environment* const env = testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
