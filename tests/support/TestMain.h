#pragma once

#include <QApplication>
#include <QTest>

// Like QTEST_MAIN, but on the offscreen platform unless the caller chose one.
#define DORVU_TEST_MAIN(TestClass)                                                                                     \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                                                            \
            qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        QApplication app(argc, argv);                                                                                  \
        TestClass test;                                                                                                \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
