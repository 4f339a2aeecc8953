// Typing into a value field as the user does: select all, erase, type.
#pragma once

#include "mainwin/controls.h"

#include <QtTest>

namespace corvane::mainwin::test {

inline void TypeInto(ValueField* field, const QString& text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

} // namespace corvane::mainwin::test
