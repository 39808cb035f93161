#include "QtAboutDlg.h"

#include "DialogUnits.h"

#include <algorithm>

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

using settings_qt::Place;
using settings_qt::PlaceText;
using settings_qt::Px;

CQtAboutDlg::CQtAboutDlg(CAboutDlg& logic, const QIcon& applicationIcon, QWidget* parent) : QDialog(parent) {
    setWindowTitle("About");
    setObjectName("AboutDlg");
    setFixedSize(Px(183), Px(148));
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon.pixmap(32, 32));
    icon->setGeometry(Px(7), Px(7), 32, 32);
    version_ = new QLabel(this);
    version_->setObjectName("VersionLine");
    PlaceText(version_, 33, 6, 124, 9);
    backend_ = new QLabel(this);
    backend_->setObjectName("BackendLine");
    Place(backend_, 33, 17, 146, 9);
    auto* group = new QGroupBox("Plug-In Version", this);
    Place(group, 7, 39, 169, 81);
    list_ = new QTreeWidget(this);
    list_->setObjectName("PluginList");
    list_->setRootIsDecorated(false);
    list_->setColumnCount(0);
    Place(list_, 7, 48, 169, 71);
    list_->raise();
    auto* close = new QPushButton("Close", this);
    close->setDefault(true);
    Place(close, 65, 125, 50, 16);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    close_ = close;
    logic.OnInitDialog(*this);
}

void CQtAboutDlg::SetVersionLine(const std::string& text) { version_->setText(QString::fromStdString(text)); }
void CQtAboutDlg::SetBackendLine(const std::string& text) { backend_->setText(QString::fromStdString(text)); }

// Below the list, on two lines; the dialog grows to take them.
void CQtAboutDlg::SetSessionLine(const std::string& text) {
    if (!session_) {
        session_ = new QLabel(this);
        session_->setObjectName("SessionLine");
        session_->setWordWrap(true);
        Place(session_, 7, 123, 169, 18);
        Place(close_, 65, 145, 50, 16);
        setFixedSize(Px(183), Px(168));
    }
    session_->setText(QString::fromStdString(text));
}

void CQtAboutDlg::AddColumn(const std::string& header) {
    headers_.append(QString::fromStdString(header));
    list_->setColumnCount(static_cast<int>(headers_.size()));
    list_->setHeaderLabels(headers_);
    // Every column takes an equal share of the list's width.
    const int width = list_->width() - 2 * list_->frameWidth();
    for (int c = 0; c < headers_.size(); ++c) list_->setColumnWidth(c, width / static_cast<int>(headers_.size()));
}

void CQtAboutDlg::SetRowState(const std::string& state) {
    QTreeWidgetItem* row = list_->topLevelItem(list_->topLevelItemCount() - 1);
    if (row == nullptr || list_->columnCount() < 3) return;
    // Name and version take what they need; the state has the rest of the
    // width and is broken into lines there rather than cut.
    list_->resizeColumnToContents(0);
    list_->resizeColumnToContents(1);
    const int width = std::max(40, list_->viewport()->width() - list_->columnWidth(0) - list_->columnWidth(1) - 8);
    list_->setColumnWidth(2, width);
    const QFontMetrics metrics(list_->font());
    QStringList lines;
    for (const QString& word : QString::fromStdString(state).split(' ', Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + ' ' + word) <= width)
            lines.back() += ' ' + word;
        else
            lines << word;
    }
    row->setText(2, lines.join('\n'));
    row->setToolTip(2, QString::fromStdString(state));
}

void CQtAboutDlg::AddRow(const std::string& plugin, const std::string& version) {
    auto* row = new QTreeWidgetItem(list_);
    row->setText(0, QString::fromStdString(plugin));
    if (list_->columnCount() > 1) row->setText(1, QString::fromStdString(version));
}
