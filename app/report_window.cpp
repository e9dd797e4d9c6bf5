#include "app/report_window.h"

#include "app/qt_conversions.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>

namespace veltrano {

ReportWindow::ReportWindow(const ReportTable& report, QWidget* parent)
    : QDialog(parent)
{
    setObjectName("ReportWindow");
    setWindowTitle(fromView(report.title));
    auto* layout = new QVBoxLayout(this);
    auto* table = new QTableWidget(int(report.rows.size()), int(report.columns.size()), this);
    table->setObjectName("ReportTable");
    QStringList columns;
    for (const std::string& column : report.columns)
        columns << fromView(column);
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < int(report.rows.size()); ++row) {
        for (int column = 0; column < int(report.rows[std::size_t(row)].size()); ++column) {
            // A label shows the HTML; the item under it keeps the plain
            // text for screen readers and shows none itself.
            const QString html = fromView(report.rows[std::size_t(row)][std::size_t(column)]);
            auto* cell = new QLabel(html);
            cell->setTextFormat(Qt::RichText);
            cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
            cell->setContentsMargins(4, 0, 4, 0);
            auto* item = new QTableWidgetItem;
            QTextDocument plain;
            plain.setHtml(html);
            item->setData(Qt::AccessibleTextRole, plain.toPlainText());
            table->setItem(row, column, item);
            table->setCellWidget(row, column, cell);
        }
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    layout->addWidget(table);
    for (const std::string& note : report.notes) {
        auto* label = new QLabel(fromView(note), this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::AcceptRole);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(qMin(1000, table->horizontalHeader()->length() + 40), qMin(600, 160 + 30 * int(report.rows.size())));
}

}  // namespace veltrano
