// main() for tests that create widgets or web views: the web engine needs shared GL contexts set
// before the application object exists.
#pragma once

#include <QApplication>
#include <QtTest>

#define MORVANE_GUI_TEST_MAIN(TestObject)                                                          \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                \
        QApplication app(argc, argv);                                                              \
        QApplication::setApplicationName(QStringLiteral("Morvane"));                               \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
