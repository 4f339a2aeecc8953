// A platform that records the message boxes and answers every open with a chosen result.
#pragma once

#include "mainwin/platform.h"

#include <QStringList>

namespace corvane::mainwin::test {

struct Message {
    QString title;
    QString text;
    MessageIcon icon;
    QString details = {};
};

class FakePlatform : public Platform {
public:
    void showMessage(QWidget*, const QString& title, const QString& text,
                     MessageIcon icon) override {
        messages.push_back({title, text, icon});
    }
    void showDetailedMessage(QWidget*, const QString& title, const QString& text,
                             const QString& details, MessageIcon icon) override {
        messages.push_back({title, text, icon, details});
    }
    bool openUrl(const QUrl& url) override {
        opened.push_back(url);
        return openSucceeds;
    }

    std::vector<Message> messages;
    std::vector<QUrl> opened;
    bool openSucceeds = true;
};

} // namespace corvane::mainwin::test
