#include "compoundchooser.h"

#include "artwork.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace corvane::mainwin {

namespace {

using compounds::Compound;

constexpr int CompoundRole = Qt::UserRole;
constexpr int PageStep = 10;
const QSize FormulaSize(140, 22);

enum ListColumn { NameColumn, FormulaColumn, PKColumn };

// "4.76", "2.16, 7.21, 12.32", "strong, 1.99".
QString pkText(const Compound& c) {
    QStringList parts;
    for (const std::optional<double>& pk : c.pk) {
        if (!pk) {
            parts << "strong";
            continue;
        }
        char text[16];
        std::snprintf(text, sizeof text, "%.2f", *pk);
        parts << text;
    }
    return parts.join(", ");
}

// The formula drawn with its subscripts, on the list's colours and on the selection's.
QIcon formulaIcon(const std::string& markup, const QPalette& palette) {
    QIcon icon;
    for (const auto& [mode, background, text] :
         {std::tuple{QIcon::Normal, QPalette::Base, QPalette::Text},
          std::tuple{QIcon::Selected, QPalette::Highlight, QPalette::HighlightedText}}) {
        QPixmap canvas(FormulaSize);
        canvas.fill(palette.color(background));
        QPainter(&canvas).drawPixmap(0, 0,
                                     MarkupPicture(QString::fromStdString(markup),
                                                   palette.color(background), palette.color(text),
                                                   FormulaSize.height()));
        icon.addPixmap(canvas, mode);
    }
    return icon;
}

QString capitalised(const std::string& text) {
    QString s = QString::fromStdString(text);
    if (!s.isEmpty()) s[0] = s[0].toUpper();
    return s;
}

} // namespace

struct CompoundChooser::Column {
    compounds::ConstantRole role;
    QLineEdit* search;
    QTreeWidget* list;
    QLabel* source;
};

CompoundChooser::CompoundChooser(std::vector<compounds::ConstantRole> roles, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Constants");
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QString::fromUtf8("Weak acids and bases at 25 °C. Choosing one "
                                               "fills its constants as 10^(–pK)."),
                             this);
    layout->addWidget(intro);
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns, 1);

    for (compounds::ConstantRole& role : roles) {
        auto* box = new QVBoxLayout;
        columns->addLayout(box, 1);
        auto* caption = new QLabel(capitalised(role.caption()), this);
        QFont bold = caption->font();
        bold.setBold(true);
        caption->setFont(bold);
        box->addWidget(caption);

        Column column{std::move(role), new QLineEdit(this), new QTreeWidget(this),
                      new QLabel(this)};
        column.search->setPlaceholderText("Type a name or formula");
        column.search->setClearButtonEnabled(true);
        caption->setBuddy(column.search);
        box->addWidget(column.search);

        QTreeWidget* list = column.list;
        list->setColumnCount(3);
        list->setHeaderLabels({"Name", "Formula", "pK"});
        list->setRootIsDecorated(false);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setFocusPolicy(Qt::NoFocus); // the keys reach it through the search field
        list->setIconSize(FormulaSize);
        for (const Compound* c : compounds::Candidates(column.role)) {
            auto* item = new QTreeWidgetItem(list);
            item->setText(NameColumn, QString::fromStdString(c->name));
            item->setIcon(FormulaColumn, formulaIcon(c->formula, list->palette()));
            item->setText(PKColumn, pkText(*c));
            item->setData(NameColumn, CompoundRole,
                          QVariant::fromValue(static_cast<const void*>(c)));
            item->setToolTip(NameColumn, QString::fromStdString(c->source));
        }
        for (int c : {NameColumn, FormulaColumn, PKColumn})
            list->resizeColumnToContents(c);
        box->addWidget(list, 1);

        column.source->setWordWrap(true);
        column.source->setMinimumHeight(column.source->fontMetrics().height() * 3);
        column.source->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->addWidget(column.source);
        m_columns.push_back(column);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CompoundChooser::take);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        Column& column = m_columns[i];
        column.search->installEventFilter(this);
        connect(column.search, &QLineEdit::textChanged, this,
                [this, i] { applyFilter(m_columns[i]); });
        connect(column.list, &QTreeWidget::currentItemChanged, this,
                [this, i] { showSource(m_columns[i]); });
        connect(column.list, &QTreeWidget::itemDoubleClicked, this, [this] { take(); });
        if (i > 0) setTabOrder(m_columns[i - 1].search, column.search);
    }
    if (!m_columns.empty()) m_columns.front().search->setFocus();
    resize(440 * std::max<int>(1, roleCount()), 480);
}

CompoundChooser::~CompoundChooser() = default;

int CompoundChooser::roleCount() const {
    return static_cast<int>(m_columns.size());
}

const compounds::ConstantRole& CompoundChooser::role(int i) const {
    return m_columns.at(i).role;
}

QLineEdit* CompoundChooser::searchField(int i) const {
    return m_columns.at(i).search;
}

QTreeWidget* CompoundChooser::list(int i) const {
    return m_columns.at(i).list;
}

QLabel* CompoundChooser::sourceLine(int i) const {
    return m_columns.at(i).source;
}

const Compound* CompoundChooser::choice(int i) const {
    const QTreeWidgetItem* item = m_columns.at(i).list->currentItem();
    if (item == nullptr || item->isHidden()) return nullptr;
    return static_cast<const Compound*>(item->data(NameColumn, CompoundRole).value<const void*>());
}

void CompoundChooser::applyFilter(Column& column) {
    const std::string text = column.search->text().toStdString();
    QTreeWidgetItem* first = nullptr;
    for (int r = 0; r < column.list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* item = column.list->topLevelItem(r);
        const auto* c =
            static_cast<const Compound*>(item->data(NameColumn, CompoundRole).value<const void*>());
        const bool shown = compounds::Matches(*c, text);
        item->setHidden(!shown);
        if (shown && first == nullptr) first = item;
    }
    // A search makes its first match current; an emptied field keeps what was current.
    QTreeWidgetItem* current = column.list->currentItem();
    if (current != nullptr && current->isHidden()) current = nullptr;
    if (current == nullptr && !text.empty()) current = first;
    column.list->setCurrentItem(current);
    if (current == nullptr)
        column.list->clearSelection();
    else
        column.list->scrollToItem(current);
    showSource(column);
}

void CompoundChooser::moveCurrent(Column& column, int key) {
    std::vector<QTreeWidgetItem*> shown;
    for (int r = 0; r < column.list->topLevelItemCount(); ++r)
        if (!column.list->topLevelItem(r)->isHidden())
            shown.push_back(column.list->topLevelItem(r));
    if (shown.empty()) return;
    const auto at = std::find(shown.begin(), shown.end(), column.list->currentItem());
    const int last = static_cast<int>(shown.size()) - 1;
    int index = 0;
    if (at != shown.end()) {
        const int here = static_cast<int>(at - shown.begin());
        const int step = key == Qt::Key_Up       ? -1
                         : key == Qt::Key_Down   ? 1
                         : key == Qt::Key_PageUp ? -PageStep
                                                 : PageStep;
        index = std::clamp(here + step, 0, last);
    } else if (key == Qt::Key_Up || key == Qt::Key_PageUp) {
        index = last;
    }
    column.list->setCurrentItem(shown[index]);
    column.list->scrollToItem(shown[index]);
}

// Why a search that shows nothing found nothing: the first compound it names that does not fit.
std::string CompoundChooser::misfitText(const Column& column) {
    const std::string text = column.search->text().toStdString();
    if (text.empty()) return {};
    for (int r = 0; r < column.list->topLevelItemCount(); ++r)
        if (!column.list->topLevelItem(r)->isHidden()) return {};
    for (const Compound& c : compounds::Compounds())
        if (compounds::Matches(c, text) && !compounds::Fits(c, column.role))
            return compounds::Misfit(c, column.role, {});
    return {};
}

void CompoundChooser::showSource(Column& column) {
    const QTreeWidgetItem* item = column.list->currentItem();
    if (item && !item->isHidden()) {
        column.source->setText("Source: " + item->toolTip(NameColumn));
        return;
    }
    column.source->setText(QString::fromStdString(misfitText(column)));
}

void CompoundChooser::take() {
    for (int i = 0; i < roleCount(); ++i)
        if (choice(i) != nullptr) {
            accept();
            return;
        }
}

bool CompoundChooser::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto column = std::find_if(m_columns.begin(), m_columns.end(),
                                     [watched](const Column& c) { return c.search == watched; });
    if (column == m_columns.end()) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        moveCurrent(*column, key);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        take();
        return true;
    default:
        return QDialog::eventFilter(watched, event);
    }
}

} // namespace corvane::mainwin
