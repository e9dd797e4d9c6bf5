#include "app/report_window.h"

#include "app/qt_conversions.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>
#include <map>
#include <vector>

namespace veltrano {

namespace {

// The HTML of a cell that has markup; cells without it are plain items.
constexpr int kHtmlRole = Qt::UserRole + 1;
// Up to this many notes stand as lines below the table; more (the problems
// of a large drawing) go into one scrolling box, which keeps the window on
// the screen.
constexpr int kNoteLines = 8;
// Room beside a cell's text, and the row height above the text's.
constexpr int kCellPadding = 16;
constexpr int kRowPadding = 6;

// The text of a cell's simple HTML: without its tags, with the entities
// QString::toHtmlEscaped writes turned back into characters.
QString plainText(const QString& html)
{
    if (!html.contains(u'<') && !html.contains(u'&'))
        return html;
    QString text;
    text.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == u'<') {
            const qsizetype end = html.indexOf(u'>', i);
            if (end < 0)
                break;
            i = end;
            continue;
        }
        if (c == u'&') {
            static const std::pair<QStringView, QChar> entities[] = {
                {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&amp;", u'&'}, {u"&quot;", u'"'}, {u"&#39;", u'\''}};
            bool replaced = false;
            for (const auto& [entity, character] : entities) {
                if (QStringView(html).sliced(i).startsWith(entity)) {
                    text += character;
                    i += entity.size() - 1;
                    replaced = true;
                    break;
                }
            }
            if (replaced)
                continue;
        }
        text += c;
    }
    return text;
}

QTextDocument* laidOut(QTextDocument& document, const QString& html, const QFont& font)
{
    document.setDocumentMargin(0);
    document.setDefaultFont(font);
    document.setHtml(html);
    return &document;
}

// Paints the cells that have markup (the subscripts of a formula) from
// their HTML, and only when they are seen: a table of a thousand rows is
// built as fast as one of ten.
class HtmlCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QString html = index.data(kHtmlRole).toString();
        if (html.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        cell.text.clear();
        const QWidget* widget = cell.widget;
        const QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

        QTextDocument document;
        laidOut(document, html, cell.font);
        const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, widget);
        QAbstractTextDocumentLayout::PaintContext context;
        context.palette = cell.palette;
        context.palette.setColor(QPalette::Text, cell.palette.color(cell.state & QStyle::State_Selected
                                                                        ? QPalette::HighlightedText
                                                                        : QPalette::Text));
        context.clip = QRectF(0, 0, area.width(), area.height());
        painter->save();
        painter->translate(area.left() + 3, area.top() + (area.height() - document.size().height()) / 2);
        painter->setClipRect(context.clip);
        document.documentLayout()->draw(painter, context);
        painter->restore();
    }
};

// Ctrl+C copies the selected cells as plain text, tab-separated.
void addCopy(QTableWidget* table)
{
    auto* copy = new QAction(table);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(copy, &QAction::triggered, table, [table] {
        std::map<int, std::map<int, QString>> cells;
        for (const QTableWidgetItem* item : table->selectedItems())
            cells[item->row()][item->column()] = item->text();
        QStringList lines;
        for (const auto& [row, columns] : cells) {
            QStringList line;
            for (const auto& [column, text] : columns)
                line << text;
            lines << line.join(u'\t');
        }
        QGuiApplication::clipboard()->setText(lines.join(u'\n'));
    });
    table->addAction(copy);
}

}  // namespace

ReportWindow::ReportWindow(const ReportTable& report, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("ReportWindow");
    setWindowTitle(fromView(report.title));
    auto* layout = new QVBoxLayout(this);
    auto* table = new QTableWidget(int(report.rows.size()), int(report.columns.size()), this);
    table->setObjectName("ReportTable");
    table->setItemDelegate(new HtmlCellDelegate(table));
    QStringList columns;
    for (const std::string& column : report.columns)
        columns << fromView(column);
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    addCopy(table);

    // The columns fit their widest text, measured as plain text (a formula's
    // subscripts only make it narrower); every row has the height of a
    // line with subscripts.
    const QFontMetrics metrics(table->font());
    std::vector<int> widths(std::size_t(table->columnCount()), 0);
    for (int row = 0; row < int(report.rows.size()); ++row) {
        const std::vector<std::string>& cells = report.rows[std::size_t(row)];
        for (int column = 0; column < int(cells.size()) && column < table->columnCount(); ++column) {
            const QString html = fromView(cells[std::size_t(column)]);
            const QString plain = plainText(html);
            auto* item = new QTableWidgetItem(plain);
            if (html.contains(u'<'))
                item->setData(kHtmlRole, html);
            table->setItem(row, column, item);
            widths[std::size_t(column)] = std::max(widths[std::size_t(column)], metrics.horizontalAdvance(plain));
        }
    }
    QHeaderView* header = table->horizontalHeader();
    for (int column = 0; column < table->columnCount(); ++column)
        header->resizeSection(column, std::max(header->sectionSizeHint(column),
                                               widths[std::size_t(column)] + kCellPadding));
    QTextDocument sample;
    const int lineHeight =
        int(laidOut(sample, QStringLiteral("C<sub>7</sub>H<sup>+</sup>"), table->font())->size().height());
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(std::max(lineHeight, metrics.height()) + kRowPadding);
    layout->addWidget(table);

    if (report.notes.size() <= std::size_t(kNoteLines)) {
        for (const std::string& note : report.notes) {
            auto* label = new QLabel(fromView(note), this);
            label->setWordWrap(true);
            layout->addWidget(label);
        }
    } else {
        QStringList lines;
        for (const std::string& note : report.notes)
            lines << fromView(note);
        auto* notes = new QPlainTextEdit(lines.join(u'\n'), this);
        notes->setObjectName("ReportNotes");
        notes->setReadOnly(true);
        notes->setLineWrapMode(QPlainTextEdit::NoWrap);
        notes->setMaximumHeight(notes->fontMetrics().lineSpacing() * kNoteLines
                                + int(2 * notes->document()->documentMargin()) + 2 * notes->frameWidth());
        layout->addWidget(notes);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::AcceptRole);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, table);
    resize(qMin(1000, header->length() + 40 + scrollBar), qMin(600, 160 + 30 * int(report.rows.size())));
}

}  // namespace veltrano
