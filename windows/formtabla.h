// \brief FormTabla: the data table window. It shows the points of the last on-screen graph as a
// heading and a scrolled body, and saves (text or CSV), copies, prints and exports the table.
#pragma once

#include "context.h"
#include "table/tabletext.h"

#include <QDialog>

class QFrame;
class QMenuBar;
class QScrollBar;

namespace corvane::widgets {
class BarButton;
class ButtonBar;
class PictureView;
} // namespace corvane::widgets

namespace corvane::windows {

class FormTabla : public QDialog {
    Q_OBJECT
public:
    explicit FormTabla(WindowContext& context, QWidget* parent = nullptr);
    ~FormTabla() override;

    static constexpr int HeadingWidth = table::TableWidth;
    static constexpr int HeadingHeight = table::TableHeadingHeight;

    // The commands.
    void SaveTableAs();
    void CopyTable();
    void PrintTable();
    void ExportPdf();
    /// One small step up (rotation > 0, the wheel turned away from the user) or down.
    void MouseWheel(int rotation);
    /// Up and Down scroll as the wheel does, Page Up and Page Down by the rows in view, Home
    /// and End to the ends; false for any other key.
    bool ScrollByKey(int key);

    const QString& TableText() const { return m_drawing.TableText(); }
    const table::TableDrawing& drawing() const { return m_drawing; }

    widgets::PictureView* headingPicture() const { return m_heading; }
    widgets::PictureView* bodyPicture() const { return m_body; }
    QWidget* container() const { return m_container; }
    QScrollBar* scrollBar() const { return m_scroll; }
    widgets::ButtonBar* buttonBar() const { return m_bar; }
    /// 2 Print, 3 Copy, 4 Close.
    widgets::BarButton* button(int index) const;
    QMenuBar* menus() const { return m_menuBar; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void layOut();
    void placeBody();

    WindowContext& m_context;
    table::TableDrawing m_drawing;
    QMenuBar* m_menuBar;
    QWidget* m_client;
    QWidget* m_container;
    QWidget* m_strip;
    widgets::PictureView* m_heading;
    widgets::PictureView* m_body;
    QScrollBar* m_scroll;
    widgets::ButtonBar* m_bar;
    QFrame* m_containerFrame;
    QFrame* m_barFrame;
    widgets::BarButton* m_print;
    widgets::BarButton* m_copy;
    widgets::BarButton* m_close;
};

} // namespace corvane::windows
