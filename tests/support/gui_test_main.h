// The start of every window test: headless, the program's style and fonts, the symbol table.
#pragma once

#include "markup/fonts.h"
#include "markup/symbols.h"

#include <QApplication>
#include <QtTest>

namespace corvane::test {

/// Answers the next modal window of type Window once it shows.
template <class Window, class F> void WhenShown(F answer) {
    QTimer::singleShot(0, [answer] {
        QTRY_VERIFY(qobject_cast<Window*>(QApplication::activeModalWidget()) != nullptr);
        answer(*qobject_cast<Window*>(QApplication::activeModalWidget()));
    });
}

/// Answers the next modal window of type Window once it shows, looking for it every 10 ms
/// from a timer rather than from inside a wait: for a window that opens from a key or a
/// timer, after events have been processed.
template <class Window, class F> void AnswerOnceShown(F answer) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        if (window == nullptr) return;
        poll->stop();
        poll->deleteLater();
        answer(*window);
    });
    poll->start(10);
}

template <class Test> int RunOneTest(int argc, char** argv) {
    Test test;
    return QTest::qExec(&test, argc, argv);
}

/// Runs each test class in turn; gives the number of failed tests.
template <class... Tests> int RunGuiTest(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle("Fusion");
    markup::InstallFontSubstitutions();
    markup::InitMarkupSymbols();
    int failed = 0;
    ((failed += RunOneTest<Tests>(argc, argv)), ...);
    return failed;
}

} // namespace corvane::test
