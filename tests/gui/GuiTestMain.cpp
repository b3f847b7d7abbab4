#include "app/GuiApplication.h"

#include <QByteArray>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Listing the tests runs this too, without the test's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    ::testing::InitGoogleTest(&argc, argv);
    qntcalc::GuiApplication app(argc, argv);
    // The program's own style, as in its main.
    QApplication::setStyle(qntcalc::StartupStyle());
    return RUN_ALL_TESTS();
}
