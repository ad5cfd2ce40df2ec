#pragma once
// Start-up after a program that did not end normally: its auto-saved charts are offered in
// the "Recover Charts" dialog. A recovered chart opens modified under its old title, and
// File > Save writes it to its own file (Save As when it never had one).
class QWidget;

namespace ondrel::gui {

class AutoSaver;
class COndrelApp;

// Offers the charts no running program holds; true when at least one was opened.
bool OfferRecovery(COndrelApp& app, AutoSaver& saver, QWidget* parent);

}  // namespace ondrel::gui
