#include "display.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace corvane::app {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage> heldMessages;

// While the application object is made, Qt's notes are held back: when no platform plugin
// can start, Qt's fatal message would abort the program, and the user gets one plain line
// and status 1 instead.
void holdWhileOpening(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", NoDisplayMessage);
        std::_Exit(1);
    }
    heldMessages.push_back({type, QByteArray(context.category), text});
}

} // namespace

std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv) {
    const QtMessageHandler previous = qInstallMessageHandler(holdWhileOpening);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : heldMessages)
        previous(message.type,
                 QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                 message.text);
    heldMessages.clear();
    return application;
}

} // namespace corvane::app
