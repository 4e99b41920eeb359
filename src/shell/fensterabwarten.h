#pragma once
// Waits, processing window messages, until a shown window is hidden or destroyed: the import
// keeps its dialog open until the user has read and closed the message list. Returns at once
// when the window is not visible.

class QWidget;

void FensterAbwarten(QWidget* fenster);
