#include <QLocale>

#ifdef EXP_NRV_XML_WINDOW_TESTS
#include <QApplication>
using Application = QApplication;
#else
#include <QCoreApplication>
using Application = QCoreApplication;
#endif

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The operators' machines run with Italian settings; tests fix them rather than take the machine's.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Application app(argc, argv);
    Application::setApplicationName(QStringLiteral("exp_nrv_xml"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
