// The main window's controls found as the user's tools find them, by their names: "Text1(17)",
// "Opt2(0)", "mnu_NDIG(6)"... A name the window does not have stops the test run.
#pragma once

#include "mainwin/controls.h"
#include "mainwin/formmain.h"
#include "mainwin/statusline.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>

namespace corvane::mainwin::test {

template <class T> T* Part(const QObject& window, const QString& name) {
    T* part = window.findChild<T*>(name);
    if (part == nullptr) qFatal("the main window has no %s", qPrintable(name));
    return part;
}

inline QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

/// Row i of task t is element k = 15 × (t − 1) + i.
inline int k(int t, int i) {
    return 15 * (t - 1) + i;
}

inline ValueField* Text1(const FormMain& w, int k) {
    return Part<ValueField>(w, Indexed("Text1", k));
}
inline QLabel* Label1(const FormMain& w, int k) {
    return Part<QLabel>(w, Indexed("Label1", k));
}
inline QLabel* Img1(const FormMain& w, int k) {
    return Part<QLabel>(w, Indexed("Img1", k));
}
inline QFrame* ShaIOTX(const FormMain& w, int k) {
    return Part<QFrame>(w, Indexed("ShaIOTX", k));
}
/// Option j of task t.
inline QRadioButton* Opt(const FormMain& w, int t, int j) {
    return Part<QRadioButton>(w, Indexed(qPrintable(QStringLiteral("Opt%1").arg(t)), j));
}
/// The check box of task 1, 3 or 5; null for tasks 2 and 4, which have none.
inline QCheckBox* Chk(const FormMain& w, int t) {
    return w.findChild<QCheckBox*>(QStringLiteral("Chk%1").arg(t));
}
inline ClickLabel* LblMENU(const FormMain& w, int t) {
    return Part<ClickLabel>(w, Indexed("LblMENU", t));
}
inline QLabel* ImgMENU(const FormMain& w, int t) {
    return Part<QLabel>(w, Indexed("ImgMENU", t));
}
inline QLabel* LblMainTIT(const FormMain& w, int t) {
    return Part<QLabel>(w, Indexed("LblMainTIT", t));
}
/// Calculate, Clear and Graphic: the caption that takes the clicks, with its picture.
inline PictureButton* ImgCAL(const FormMain& w, int t) {
    return Part<PictureButton>(w, Indexed("LblCAL", t));
}
inline PictureButton* ImgDEL(const FormMain& w, int t) {
    return Part<PictureButton>(w, Indexed("LblDEL", t));
}
inline PictureButton* ImgGRA(const FormMain& w, int t) {
    return Part<PictureButton>(w, Indexed("LblGRA", t));
}
/// The line below the buttons of task t.
inline StatusLine* statusLine(const FormMain& w, int t) {
    return Part<StatusLine>(w, Indexed("StatusLine", t));
}
inline QWidget* PicTASK(const FormMain& w, int t) {
    return Part<QWidget>(w, Indexed("PicTASK", t));
}
inline QWidget* PicOPT(const FormMain& w, int t) {
    return Part<QWidget>(w, Indexed("PicOPT", t));
}
/// Null for tasks 2 and 4.
inline QWidget* PicCHK(const FormMain& w, int t) {
    return w.findChild<QWidget*>(Indexed("PicCHK", t));
}
inline QWidget* PicIO(const FormMain& w, int t) {
    return Part<QWidget>(w, Indexed("PicIO", t));
}
inline QWidget* PicFOR(const FormMain& w, int t) {
    return Part<QWidget>(w, Indexed("PicFOR", t));
}
inline QLabel* ImgFOR(const FormMain& w, int t) {
    return Part<QLabel>(w, Indexed("ImgFOR", t));
}
inline QLabel* ImgFORX(const FormMain& w, int t) {
    return Part<QLabel>(w, Indexed("ImgFORX", t));
}
inline QFrame* Line1(const FormMain& w, int t) {
    return Part<QFrame>(w, Indexed("Line1", t));
}
inline QFrame* LineIO(const FormMain& w, int t) {
    return Part<QFrame>(w, Indexed("LineIO", t));
}
/// A menu item: Menu(w, "mnu_Constants"), Menu(w, "mnu_NDIG", 6).
inline QAction* Menu(const FormMain& w, const char* name) {
    return Part<QAction>(w, QLatin1String(name));
}
inline QAction* Menu(const FormMain& w, const char* name, int index) {
    return Part<QAction>(w, Indexed(name, index));
}

} // namespace corvane::mainwin::test
