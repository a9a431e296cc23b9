#pragma once

class QLineEdit;
class QPlainTextEdit;

// A longest text for a multi-line box, counted in 16-bit units as the line edits count it: whatever is
// typed or pasted beyond it is cut off where it came in.
void limitLength(QPlainTextEdit* box, int longest);

// A line edit's maxLength cuts what is typed or pasted at a 16-bit unit, which may part a surrogate pair: the half
// left over is dropped, so the box keeps only whole characters.
void keepWholeCharacters(QLineEdit* box);
