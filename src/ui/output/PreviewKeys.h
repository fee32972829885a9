#pragma once

class QPrintPreviewDialog;

// PageUp, PageDown and the arrows scroll the page of a print preview, wherever the focus is in
// it. Qt leaves the focus on a widget that takes no keys, so they did nothing, and once the zoom
// box has the focus they step the zoom instead.
void scrollPageFromKeys(QPrintPreviewDialog& dialog);
