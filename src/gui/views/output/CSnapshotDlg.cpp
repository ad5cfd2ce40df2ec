#include "gui/views/output/CSnapshotDlg.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "gui/dialogs/SettingsDialogControls.h"
#include "core/model/CTarvekDoc.h"
#include "core/platform/NumberFormat.h"
#include "gui/platform/QtDialogExchange.h"

namespace ondrel::gui {
namespace {

// The slider shows only above this many samples after the first.
constexpr int kFewestShownLast = 2;

}  // namespace

CSnapshotDlg::CSnapshotDlg(CTarvekDoc& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
    setWindowTitle(tr("Snapshot"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    slider_ = new QSlider(Qt::Horizontal);
    SetControlId(slider_, kSlider);
    time_ = new QLabel;
    SetControlId(time_, kTimeText);
    time_->setMinimumWidth(time_->fontMetrics().horizontalAdvance(QStringLiteral("-0.000000e+000")));
    QPushButton* update = MakeButton(tr("Update"), kUpdate, this);
    update->setDefault(true);
    update->setAutoDefault(true);
    QPushButton* ok = MakeButton(tr("OK"), 1, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(time_, 1);
    buttons->addWidget(update);
    buttons->addWidget(ok);
    auto* whole = new QVBoxLayout(this);
    whole->addWidget(slider_);
    whole->addLayout(buttons);
    connect(slider_, &QSlider::valueChanged, this, &CSnapshotDlg::ShowTime);
    connect(update, &QPushButton::clicked, this, &CSnapshotDlg::OnUpdateButton);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    // Esc rejects, which for a modeless window is closing it too.
    connect(this, &QDialog::rejected, this, &QDialog::close);
    Refresh();
}

void CSnapshotDlg::Refresh() {
    const CBlock* clock = doc_.Clock();
    const std::size_t samples = clock != nullptr ? clock->history.size() : 0;
    const std::size_t lastSample = samples > 0 ? samples - 1 : 0;
    const int last = static_cast<int>(std::min<std::size_t>(lastSample, std::numeric_limits<int>::max()));
    const bool shown = last > kFewestShownLast;
    slider_->setVisible(shown);
    if (!shown) {
        time_->clear();
        return;
    }
    const QSignalBlocker quiet(slider_);
    slider_->setRange(0, last);
    slider_->setValue(std::clamp(doc_.snapshotIndex, 0, last));
    ShowTime(slider_->value());
}

QString CSnapshotDlg::TimeText() const { return time_->text(); }

void CSnapshotDlg::ShowTime(int position) {
    time_->setText(QString::fromStdString(FormatE(position * doc_.outputInterval)));
}

void CSnapshotDlg::OnUpdateButton() {
    if (slider_->isHidden()) return;
    doc_.snapshotIndex = slider_->value();
    doc_.UpdateAllViews(nullptr, UpdateHint::BlockAdded);
}

void CSnapshotDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelpContext(kHelpContext);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace ondrel::gui
