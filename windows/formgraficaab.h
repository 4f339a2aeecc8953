// \brief FormGraficaAB: the graph window. It draws the chosen graph through Dibujar, redraws
// the frame at once on every resize and the curves 20 ms after the last one, and offers the
// chooser, the data table, printing, saving (BMP, PNG, SVG), copying and PDF export. It draws
// from its own copy of the graph settings and values, taken when a choice is confirmed, so
// that a cancelled or refused choice leaves the graph and its table as they were.
#pragma once

#include "context.h"
#include "fit/fit.h"
#include "plot/plot.h"

#include <QDialog>
#include <QPageLayout>
#include <QTimer>

class QAction;
class QFrame;
class QMenuBar;

namespace corvane::files {
struct SaveResult;
} // namespace corvane::files
namespace corvane::widgets {
class BarButton;
class ButtonBar;
class PictureView;
} // namespace corvane::widgets

namespace corvane::windows {

class GraphViewTools;

class FormGraficaAB : public QDialog {
    Q_OBJECT
public:
    explicit FormGraficaAB(WindowContext& context, QWidget* parent = nullptr);
    ~FormGraficaAB() override;

    // The commands; each button and its menu item do the same.
    void EditTypeOfGraphic();
    void ShowDataTable();
    void PrintGraphic();
    void SaveImageAs();
    void CopyGraphic();
    void ExportPdf();
    /// "Measured data...": reads x,y pairs from a file and draws them over the curve.
    void LoadMeasuredData();
    /// "Fit...": the unknowns ticked in FormFitChoice fitted to the measured points.
    void FitMeasuredData();

    /// Reads the measured points of `path`; a refused file leaves the graph as it was and says
    /// why.
    bool ReadMeasuredData(const QString& path);
    /// The fit of the measured points for `unknowns`, starting from the drawn values.
    fit::FitResult FitFor(const std::vector<int>& unknowns) const;
    /// The fitted values into the main window, which calculates; the graph follows.
    void UseFittedValues(const fit::FitResult& result);
    QAction* fitAction() const { return m_fitAction; }

    /// Draws these curves instead of a problem code's generator, for a graph that has no problem
    /// code (the Free mixture task's); the chooser, which offers a code's kinds, is then off.
    void setOwnCurves(plot::OwnCurves curves);

    /// Portrait when the picture is at least as tall as wide.
    QPageLayout::Orientation pageOrientation() const;

    widgets::PictureView* picture() const { return m_picture; }
    widgets::ButtonBar* buttonBar() const { return m_bar; }
    /// 0 Edit..., 1 Data table, 2 Print..., 3 Copy, 4 Close, 5 Scales...
    widgets::BarButton* button(int index) const { return m_buttons[index]; }
    /// Scales, values read off the curve, marks and indicators.
    GraphViewTools* tools() const { return m_tools; }
    const QTimer& deferredDraw() const { return m_deferredDraw; }
    const plot::GraphPlot& plot() const { return m_plot; }
    /// The graph as the picture shows it, computed by its last drawing.
    const plot::PlottedGraph& drawn() const { return m_drawn; }
    /// The settings and values the graph was confirmed with.
    const graphs::GraphSettings& drawnSettings() const { return m_settings; }
    const engine::EquilAB& drawnValues() const { return m_values; }
    QMenuBar* menus() const { return m_menuBar; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void layOut();
    void drawAll();
    /// Draws the graph on the picture; the table window lists the rows of this drawing.
    void drawOnScreen(bool withCurves);
    /// The context of the windows opened from here: the confirmed copy in place of the shared
    /// settings and values.
    WindowContext drawnContext();
    void saveFailed(const QString& path, const files::SaveResult& result);
    /// The graph's picture in `format`, whole or not at all; a failure says why.
    void savePicture(const QString& path, const QString& format);

    WindowContext& m_context;
    graphs::GraphSettings m_settings;
    engine::EquilAB m_values;
    plot::GraphPlot m_plot;
    plot::PlottedGraph m_drawn;
    QMenuBar* m_menuBar;
    QAction* m_editAction = nullptr;
    QWidget* m_client;
    widgets::PictureView* m_picture;
    widgets::ButtonBar* m_bar;
    QFrame* m_pictureFrame;
    QFrame* m_barFrame;
    std::array<widgets::BarButton*, 6> m_buttons{};
    GraphViewTools* m_tools;
    QTimer m_deferredDraw;
    QAction* m_fitAction = nullptr;
};

} // namespace corvane::windows
