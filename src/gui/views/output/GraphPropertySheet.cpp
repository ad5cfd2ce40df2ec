#include "gui/views/output/GraphPropertySheet.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/blocks/CBlock.h"
#include "core/model/CTarvekDoc.h"
#include "core/model/edits/ViewingRules.h"
#include "core/model/views/GraphViewState.h"
#include "core/platform/Platform.h"
#include "gui/platform/QtDialogExchange.h"
#include "core/platform/StringTable.h"
#include "gui/views/output/GraphPropertyPages.h"

namespace ondrel::gui {

using namespace graph_controls;

namespace {
constexpr int kApplicationTitleId = 57344;
constexpr int kMiscPage = 4;
}  // namespace

CGraphPropertySheet::CGraphPropertySheet(ondrel::CTarvekDoc& doc, ondrel::GraphViewState& view,
                                         GraphSheetSink sink, QWidget* parent)
    : QDialog(parent),
      view_(view),
      sink_(std::move(sink)),
      values_(view),
      offered_(ondrel::GraphSheetValues::OfferedBlocks(doc)) {
    setWindowTitle(view.title.empty() ? tr("Graph") : QString::fromStdString(view.title));
    BuildLayout();
    ShowValues();
    ConnectControls();
    MarkModified(false);
}

void CGraphPropertySheet::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    pages_ = {new CGrafX(tabs_), new CGraf1(tabs_), new CGraf2(tabs_), new CGraf3(tabs_),
              new CGrafMisc(tabs_)};
    const QString names[] = {tr("X Axis"), tr("Graph 1"), tr("Graph 2"), tr("Graph 3"), tr("Miscellaneous")};
    for (int i = 0; i < 5; ++i) tabs_->addTab(pages_[i], names[i]);
    layout->addWidget(tabs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    applyNow_ = buttons->addButton(tr("Apply Now"), QDialogButtonBox::ApplyRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGraphPropertySheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(applyNow_, &QPushButton::clicked, this, &CGraphPropertySheet::OnApplyNow);
    layout->addWidget(buttons);
}

void CGraphPropertySheet::ConnectControls() {
    for (CGrafPage* page : pages_) ConnectPage(page);
    connect(tabs_, &QTabWidget::currentChanged, this, &CGraphPropertySheet::OnPageChanged);
    auto button = [this](int id) { return qobject_cast<QAbstractButton*>(FindControl(this, id)); };
    for (int k = 1; k <= 3; ++k)
        connect(button(kClear[k]), &QAbstractButton::clicked, this, [this, k] { OnClear(k); });
    for (int slot = 0; slot <= 3; ++slot) {
        connect(button(kColor[slot]), &QAbstractButton::clicked, this,
                [this, slot] { OnColorOrFont(slot, kColor[slot]); });
        if (slot > 0)
            connect(button(kFixed[slot]), &QAbstractButton::clicked, this, [this, slot] { OnFixed(slot); });
    }
    for (int id : {kNotesFont, kLegendFont, kLabelFont})
        connect(button(id), &QAbstractButton::clicked, this, [this, id] { OnColorOrFont(kMiscPage, id); });
    connect(button(kRecall), &QAbstractButton::clicked, this, [this] { OnRecallOrReset(true); });
    connect(button(kReset), &QAbstractButton::clicked, this, [this] { OnRecallOrReset(false); });
    connect(button(kUpdate), &QAbstractButton::clicked, this, &CGraphPropertySheet::OnUpdate);
}

// Every edit, radio button, check box and block choice of a page is a change.
void CGraphPropertySheet::ConnectPage(CGrafPage* page) {
    auto changed = [this] {
        if (!filling_) MarkModified();
    };
    for (auto* edit : page->findChildren<QLineEdit*>()) connect(edit, &QLineEdit::textEdited, this, changed);
    for (auto* text : page->findChildren<QPlainTextEdit*>())
        connect(text, &QPlainTextEdit::textChanged, this, changed);
    for (auto* box : page->findChildren<QAbstractButton*>())
        if (box->isCheckable()) connect(box, &QAbstractButton::toggled, this, changed);
    if (QListWidget* list = page->BlockList()) {
        const int slot = page->Slot();
        connect(list, &QListWidget::itemSelectionChanged, this, [this, list, slot, changed] {
            if (filling_) return;
            const auto selected = list->selectedItems();
            const int row = selected.isEmpty() ? -1 : list->row(selected.front());
            values_.blocks[slot] =
                row >= 0 && row < static_cast<int>(offered_.size()) ? offered_[row] : nullptr;
            changed();
            UpdateClearButton();
        });
    }
}

void CGraphPropertySheet::MarkModified(bool modified) { applyNow_->setEnabled(modified); }

bool CGraphPropertySheet::ReadControls() {
    QtDialogExchange dx(this, true);
    for (int slot = 0; slot <= 3; ++slot)
        if (!values_.Slot(slot).Exchange(dx)) return false;
    if (!values_.misc.Exchange(dx)) return false;
    std::string title = values_.title;
    std::string notes = values_.notes;
    if (!ondrel::ExchangeLimitedText(dx, kTitle, title, kTitleMaxChars)) return false;
    if (!ondrel::ExchangeLimitedText(dx, kNotes, notes, 0)) return false;
    values_.title = std::move(title);
    values_.notes = std::move(notes);
    return true;
}

void CGraphPropertySheet::ShowValues() {
    filling_ = true;
    QtDialogExchange dx(this, false);
    for (int slot = 0; slot <= 3; ++slot) values_.Slot(slot).Exchange(dx);
    values_.misc.Exchange(dx);
    ondrel::ExchangeLimitedText(dx, kTitle, values_.title, kTitleMaxChars);
    ondrel::ExchangeLimitedText(dx, kNotes, values_.notes, 0);
    for (int slot = 0; slot <= 3; ++slot) FillBlockList(slot);
    filling_ = false;
    UpdateClearButton();
}

// The blocks offered, by label, with the slot's block selected (or none).
void CGraphPropertySheet::FillBlockList(int slot) {
    QListWidget* list = pages_[slot]->BlockList();
    const bool wasFilling = filling_;
    filling_ = true;
    list->clear();
    for (ondrel::CBlock* block : offered_) {
        list->addItem(QString::fromStdString(block->label));
        if (block == values_.blocks[slot]) list->item(list->count() - 1)->setSelected(true);
    }
    filling_ = wasFilling;
}

void CGraphPropertySheet::UpdateClearButton() {
    if (QWidget* clear = FindControl(this, kClear[1])) clear->setEnabled(values_.blocks[2] != nullptr);
}

void CGraphPropertySheet::ShowPage(int index) { tabs_->setCurrentIndex(index); }

// Leaving a page takes its values; an invalid entry keeps the page up.
void CGraphPropertySheet::OnPageChanged(int index) {
    if (filling_) return;
    if (!ReadControls()) {
        filling_ = true;
        tabs_->setCurrentIndex(shownPage_);
        filling_ = false;
        return;
    }
    shownPage_ = index;
    if (index >= 1 && index <= 3) {
        FillBlockList(index);
        UpdateClearButton();
    }
}

void CGraphPropertySheet::OnFixed(int slot) {
    if (!ReadControls()) return;
    if (values_.Fixed(slot) && !(values_.Low(slot) < values_.High(slot))) {
        ShowMessage(ondrel::kFixedIgnoredMessage, LoadString(kApplicationTitleId));
        values_.SetFixed(slot, false);
        ShowValues();
    }
}

void CGraphPropertySheet::OnClear(int k) {
    if (!ReadControls() || !values_.ClearCurve(k)) return;
    ShowValues();
    MarkModified();
}

void CGraphPropertySheet::OnColorOrFont(int slot, int controlId) {
    ondrel::CSettingsGroup& group = slot == kMiscPage ? values_.misc : values_.Slot(slot);
    if (group.OnButton(controlId)) MarkModified();
}

void CGraphPropertySheet::OnRecallOrReset(bool recall) {
    if (recall)
        values_.RecallAll();
    else
        values_.ResetAll();
    values_.ShowAutomaticLimits(view_);
    ShowValues();
    MarkModified();
}

void CGraphPropertySheet::OnUpdate() {
    if (ReadControls()) values_.WriteAllToProfile();
}

// The graph is not changed here: the pages show the limits it uses now.
void CGraphPropertySheet::OnApplyNow() {
    if (!ReadControls()) return;
    values_.ShowAutomaticLimits(view_);
    ShowValues();
    MarkModified(false);
}

void CGraphPropertySheet::accept() {
    if (!ReadControls()) return;
    if (sink_) sink_(values_);
    QDialog::accept();
}

void OnGraphProperties(ondrel::CTarvekDoc& doc, ondrel::GraphViewState& view, QWidget* parent,
                       GraphSheetSink sink) {
    CGraphPropertySheet sheet(doc, view, std::move(sink), parent);
    sheet.exec();
}

}  // namespace ondrel::gui
