// A platform that records the message boxes and answers every open with a chosen result, at
// once.
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

/// A platform whose message boxes are recorded instead of shown.
template <class Base> class RecordsMessages : public Base {
public:
    using Base::Base;
    void showMessage(QWidget*, const QString& title, const QString& text,
                     MessageIcon icon) override {
        messages.push_back({title, text, icon});
    }
    void showDetailedMessage(QWidget*, const QString& title, const QString& text,
                             const QString& details, MessageIcon icon) override {
        messages.push_back({title, text, icon, details});
    }

    std::vector<Message> messages;
};

class FakePlatform : public RecordsMessages<Platform> {
public:
    void openUrl(const QUrl& url, std::function<void()> failed) override {
        opened.push_back(url);
        if (!openSucceeds) failed();
    }

    std::vector<QUrl> opened;
    bool openSucceeds = true;
};

} // namespace corvane::mainwin::test
