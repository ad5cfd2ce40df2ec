#pragma once
// The Chart Text Options dialog: a text view's font and colour, what the report shows, how it
// sorts and filters the blocks, its title and notes, edited on an unbound copy of the view's
// settings and on copies of its chosen blocks, types and groups. Two lists show, for the
// Name, Type or Group filter, what is chosen (left) and what is not (right); "<<" and ">>"
// move the selected items across. Each Apply, and OK, hands the change to a sink as a
// TextOptionsEdit; Cancel keeps what was applied before.
#include <QDialog>
#include <QStringList>
#include <functional>
#include <string>

#include "core/model/edits/TextOptionsEdit.h"
#include "core/settings/CSettingsGroup.h"

class QListWidget;
class QPushButton;

namespace ondrel {
class CTarvekDoc;
class TextViewState;
}  // namespace ondrel

namespace ondrel::gui {

using TextEditSink = std::function<void(ondrel::TextOptionsEdit&&)>;

class CChartTextOptionsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kResourceId = 299;
    static constexpr int kTitle = 1204;
    static constexpr int kNotes = 1225;
    static constexpr int kFont = 1278;
    static constexpr int kApply = 1207;
    static constexpr int kHelp = 1208;
    static constexpr int kUpdate = 1210;
    static constexpr int kRecall = 1256;
    static constexpr int kReset = 1257;
    static constexpr int kLeftList = 1264;
    static constexpr int kRightList = 1265;
    static constexpr int kMoveLeft = 1266;   // "<<"
    static constexpr int kMoveRight = 1267;  // ">>"
    static constexpr int kFilterAll = 1252, kFilterName = 1255, kFilterType = 1253, kFilterGroup = 1254;
    static constexpr int kHelpContext = 346;

    // view is read when the dialog opens and when each edit is captured. An empty sink
    // applies every edit to view and doc at once.
    CChartTextOptionsDlg(ondrel::CTarvekDoc& doc, ondrel::TextViewState& view, TextEditSink sink,
                         QWidget* parent = nullptr);

    ondrel::CSettingsGroup& Settings() { return settings_; }
    const ondrel::TextFilterChoice& Chosen() const { return chosen_; }
    bool ApplyEnabled() const;
    QStringList LeftItems() const;
    QStringList RightItems() const;
    // Selects the items with these texts in the list (left or right) and presses the move
    // button that takes them across, as a user does.
    void MoveItems(bool fromLeft, const QStringList& texts);

    void accept() override;

private:
    QWidget* BuildOptionsColumn();
    QWidget* BuildFilterColumn();
    QLayout* BuildButtons();
    void ConnectChangeSignals();
    void EnableApply(bool enabled = true);

    bool ExchangeData(bool saving);
    bool ReadControls();
    void RefreshControls();
    void FillLists();
    void Move(QListWidget* from, QListWidget* to);
    void RebuildChosen();
    void OnReset();
    void OnRecall();
    void OnUpdate();
    void OnApply();
    void Hand();

    ondrel::CTarvekDoc& doc_;
    ondrel::TextViewState& view_;
    TextEditSink sink_;
    ondrel::CSettingsGroup settings_;
    std::string title_;
    std::string notes_;
    ondrel::TextFilterChoice chosen_;
    int listedFilter_ = 0;  // the filter kind the lists were filled for
    QPushButton* apply_ = nullptr;
    QListWidget* left_ = nullptr;
    QListWidget* right_ = nullptr;
};

// The View parameters command (32816) of a text view: runs the dialog modally; each Apply
// and the final OK give the sink an edit (applied directly when the sink is empty).
void OnTextViewParameters(ondrel::CTarvekDoc& doc, ondrel::TextViewState& view, QWidget* parent,
                          TextEditSink sink = {});

}  // namespace ondrel::gui
