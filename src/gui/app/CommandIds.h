#pragma once
// The command ids of the menus, toolbars and accelerators. The block commands are in the
// block catalogue; their prompts, like every command's, are in the string table by id.

namespace ondrel::gui::cmd {

// File
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFilePrintToFile = 32862;
inline constexpr int kFileSaveReportAs = 32870;  // a text view's report as a text file
inline constexpr int kFileExport = 32910;
inline constexpr int kFileMru1 = 57616;  // the recent files are 57616..57619
inline constexpr int kAppExit = 57665;
// Edit
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kEditDelete = 32860;
// View: the standard bars, then the eight bar toggles (each the bar's id)
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kViewDisplayBar = 32828;
inline constexpr int kViewMathBar = 32803;
inline constexpr int kViewTimeBar = 32804;
inline constexpr int kViewTranscendentalBar = 32827;
inline constexpr int kViewMiscellaneousBar = 32810;
inline constexpr int kViewLogicBar = 32806;
inline constexpr int kViewGeneratorsBar = 32807;
inline constexpr int kViewNonLinearBar = 32809;
// Options and the Display bar
inline constexpr int kViewing = 32816;
inline constexpr int kRun = 32829;
inline constexpr int kInitialize = 32865;
inline constexpr int kTerminateRun = 32863;
inline constexpr int kStopRunKey = 32833;
inline constexpr int kOpenChartView = 32832;
inline constexpr int kOpenTextView = 32867;
inline constexpr int kOpenListView = 32830;
inline constexpr int kOpenGraphView = 32831;
inline constexpr int kPreferences = 32861;
inline constexpr int kDebugSettings = 155;
inline constexpr int kSnapshot = 32909;
// File commands of a graph window
inline constexpr int kExportGraphData = 32950;
inline constexpr int kExportGraphImage = 32951;
// Window
inline constexpr int kWindowArrange = 57649;
inline constexpr int kWindowCascade = 57650;
inline constexpr int kWindowTile = 57651;
inline constexpr int kWindowSplit = 57653;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;
// Help
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelpIndex = 57666;
inline constexpr int kHelpUsing = 57668;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kDefaultHelp = 57671;
// The Miscellaneous bar's third button: no prompt, no handler.
inline constexpr int kMiscellaneousSpare = 32857;
// An accelerator-only command without a handler.
inline constexpr int kUnhandledLogicKey = 32825;

// Strings of the main frame.
inline constexpr int kMainTitleString = 128;
inline constexpr int kAppTitleString = 57344;
inline constexpr int kCommandFailedString = 61705;

}  // namespace ondrel::gui::cmd
