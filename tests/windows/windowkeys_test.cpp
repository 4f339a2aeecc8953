#include "windowkeys_test.h"

#include "tests/support/fakedesktop.h"
#include "tests/support/gui_test_main.h"

#include "widgets/buttonbar.h"
#include "widgets/pictureview.h"
#include "windows/formeditgraf.h"
#include "windows/formgraficaab.h"
#include "windows/formtabla.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>

using namespace corvane;
using corvane::windows::test::Shared;

namespace {

std::unique_ptr<Shared> g_shared;
std::unique_ptr<windows::WindowContext> g_context;
std::unique_ptr<QTemporaryDir> g_dir;

template <class Window> std::unique_ptr<Window> openActive() {
    g_context = std::make_unique<windows::WindowContext>(g_shared->context());
    auto w = std::make_unique<Window>(*g_context);
    w->show();
    w->activateWindow(); // an X server without a window manager activates nothing
    if (!QTest::qWaitForWindowActive(w.get())) qWarning("the window is not active");
    return w;
}

// Keys at the window go where a desktop sends them: the open menu, else the focus.
void press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* popup = QApplication::activePopupWidget();
    QTest::keyClick(popup ? popup->windowHandle() : window.windowHandle(), key, modifiers);
}

// The headless platform leaves the closed menu the active window; X hands the activation back.
void reactivate(QWidget& window) {
    if (QApplication::activeWindow() == &window) return;
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

QMenu* openMenu() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// The menu items by caption with their keys: "&Copy Ctrl+C".
QStringList itemsWithKeys(QMenuBar* bar) {
    QStringList items;
    for (QAction* menu : bar->actions())
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator())
                items << (item->text() + " " + item->shortcut().toString()).trimmed();
    return items;
}

} // namespace

void WindowKeysTest::init() {
    g_shared = std::make_unique<Shared>();
    g_dir = std::make_unique<QTemporaryDir>();
    // A weak acid, pH against its concentration; C_a = 0.1, k_a = 1.8e-5.
    QVERIFY(g_shared->solve("11", 1, {{0, 0.1}, {3, 1.8e-5}}));
    g_shared->drawOnScreen();
}

void WindowKeysTest::escapeClosesTheGraphAfterAMenu() {
    auto w = openActive<windows::FormGraficaAB>();
    QTest::mouseClick(w->menus(), Qt::LeftButton, {},
                      w->menus()->actionGeometry(w->menus()->actions().at(0)).center());
    QTRY_VERIFY(openMenu() != nullptr);
    press(*w, Qt::Key_Escape);
    QTRY_VERIFY(openMenu() == nullptr);
    QVERIFY(w->isVisible());
    reactivate(*w);
    // The first Escape leaves the highlighted menu title, the next closes the window.
    for (int i = 0; i < 2 && w->isVisible(); ++i)
        press(*w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

void WindowKeysTest::escapeClosesTheTableAfterAMenuCommand() {
    auto w = openActive<windows::FormTabla>();
    press(*w, Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(openMenu() != nullptr);
    press(*w, Qt::Key_C);
    QTRY_VERIFY(openMenu() == nullptr);
    reactivate(*w);
    QCOMPARE(g_shared->desktop.messages.size(), std::size_t(1)); // Copy ran and confirmed
    QCOMPARE(g_shared->desktop.messages[0].title, QString("Copy"));
    press(*w, Qt::Key_Escape);
    QVERIFY(!w->isVisible());
}

// An open menu or a dialog takes Escape: the window stays.
void WindowKeysTest::escapeClosesAMenuFirst() {
    auto w = openActive<windows::FormTabla>();
    press(*w, Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(openMenu() != nullptr);
    press(*w, Qt::Key_Escape);
    QTRY_VERIFY(openMenu() == nullptr);
    QVERIFY(w->isVisible());
}

void WindowKeysTest::graphCommandKeysAndMenuItems() {
    auto w = openActive<windows::FormGraficaAB>();
    const QStringList items = itemsWithKeys(w->menus());
    for (const char* item :
         {"&Edit type of graphic... Ctrl+G", "&Save image as... Ctrl+S", "&Print... Ctrl+P",
          "Export &PDF... Ctrl+E", "&Copy Ctrl+C", "Data &table Ctrl+T"})
        QVERIFY2(items.contains(item), item);

    // Escape in the chooser closes the chooser, not the graph window.
    bool graphStayed = false;
    corvane::test::AnswerOnceShown<windows::FormEditGRAF>([&](windows::FormEditGRAF& chooser) {
        reactivate(chooser);
        QTest::keyClick(chooser.windowHandle(), Qt::Key_Escape);
        graphStayed = w->isVisible();
        if (chooser.isVisible()) chooser.Cancel();
    });
    press(*w, Qt::Key_G, Qt::ControlModifier);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(graphStayed);
    reactivate(*w);
    Shared& s = *g_shared;
    s.desktop.savePath = g_dir->filePath("graph.png");
    press(*w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(s.desktop.saveTitle, QString("Save"));
    QVERIFY(QImage(s.desktop.savePath).size() == w->picture()->size());
    s.desktop.savePath = g_dir->filePath("graph.pdf");
    press(*w, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(s.desktop.saveTitle, QString("Export PDF"));
    QVERIFY(QFileInfo(s.desktop.savePath).size() > 0);
    s.desktop.printAccepted = false;
    press(*w, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(s.desktop.printDialogs, 1);
    press(*w, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(s.desktop.messages.back().text,
             QString("The graphic was successfully copied to the clipboard."));
    bool tableShown = false;
    corvane::test::AnswerOnceShown<windows::FormTabla>([&](windows::FormTabla& table) {
        tableShown = true;
        reactivate(table);
        QTest::keyClick(table.windowHandle(), Qt::Key_Escape);
    });
    press(*w, Qt::Key_T, Qt::ControlModifier);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(tableShown);
}

void WindowKeysTest::tableCommandKeysAndMenuItems() {
    auto w = openActive<windows::FormTabla>();
    const QStringList items = itemsWithKeys(w->menus());
    for (const char* item : {"&Save data table as... Ctrl+S", "&Print... Ctrl+P",
                             "&Export PDF... Ctrl+E", "&Copy Ctrl+C"})
        QVERIFY2(items.contains(item), item);
    Shared& s = *g_shared;
    s.desktop.savePath = g_dir->filePath("table.txt");
    press(*w, Qt::Key_S, Qt::ControlModifier);
    QFile saved(s.desktop.savePath);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(saved.readAll()), w->TableText());
    s.desktop.printAccepted = false;
    press(*w, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(s.desktop.printDialogs, 1);
    s.desktop.savePath = g_dir->filePath("table.pdf");
    press(*w, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(s.desktop.saveTitle, QString("Export PDF"));
    press(*w, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), w->TableText());
}

void WindowKeysTest::tabGoesThroughTheBarButtons() {
    auto w = openActive<windows::FormGraficaAB>();
    QCOMPARE(QApplication::focusWidget(), w->button(0));
    QList<QWidget*> order;
    for (int i = 0; i < 6; ++i) {
        press(*w, Qt::Key_Tab);
        order << QApplication::focusWidget();
    }
    // The five bar buttons, then Scales... after Close, then round again.
    QCOMPARE(order, (QList<QWidget*>{w->button(1), w->button(2), w->button(3), w->button(4),
                                     w->button(5), w->button(0)}));
    // Enter on the focused Close button presses it.
    w->button(4)->setFocus(Qt::TabFocusReason);
    press(*w, Qt::Key_Return);
    QVERIFY(!w->isVisible());
}

// The wheel moves by one small step; Up and Down do the same, Page Up and Page Down a page,
// Home and End go to the ends, and the focus on a bar button does not stop them.
void WindowKeysTest::tableScrollsByRowPageAndEnds() {
    auto w = openActive<windows::FormTabla>();
    w->resize(900, 640);
    QScrollBar* bar = w->scrollBar();
    QVERIFY(bar->isVisible());
    const int row = bar->singleStep(), page = bar->pageStep();
    QVERIFY(row > 5 && page > 3 * row);
    press(*w, Qt::Key_Down);
    QCOMPARE(bar->value(), row);
    w->button(3)->setFocus(Qt::TabFocusReason);
    press(*w, Qt::Key_Down);
    QCOMPARE(bar->value(), 2 * row);
    press(*w, Qt::Key_Up);
    QCOMPARE(bar->value(), row);
    press(*w, Qt::Key_PageDown);
    const int paged = std::min(row + page, bar->maximum());
    QCOMPARE(bar->value(), paged);
    press(*w, Qt::Key_PageUp);
    QCOMPARE(bar->value(), std::max(paged - page, 0));
    press(*w, Qt::Key_End);
    QCOMPARE(bar->value(), bar->maximum());
    press(*w, Qt::Key_PageDown);
    QCOMPARE(bar->value(), bar->maximum());
    press(*w, Qt::Key_Home);
    QCOMPARE(bar->value(), 0);
    press(*w, Qt::Key_Up);
    QCOMPARE(bar->value(), 0);
    // The body follows the bar, as with the wheel.
    press(*w, Qt::Key_End);
    QCOMPARE(w->bodyPicture()->y(), 4 + windows::FormTabla::HeadingHeight - bar->maximum());
}
