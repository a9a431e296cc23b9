#pragma once

class QPlainTextEdit;

// A longest text for a multi-line box, counted in 16-bit units as the line edits count it: whatever is
// typed or pasted beyond it is cut off where it came in.
void limitLength(QPlainTextEdit* box, int longest);
