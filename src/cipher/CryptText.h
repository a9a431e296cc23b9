#pragma once

#include <QString>

enum class CryptMode { Enc, Dec };

// The keyed block transposition. `key` is the unlock key's current text. Works on 16-bit QString units
// (never bytes), for texts of any length (no 16-bit overflow, no failure path): the result always has the
// input's length and is a per-block permutation of it.
//
// The text is cut into blocks of six from its start, the rest (one to five units) being a final short block
// of length L. The key digit for position j (1 to 6) is the value of the key's j-th character, 0 for a missing
// or non-digit one; its partner is p = min(d, L), or j itself when d is 0. Enc runs the steps j = 1..L, Dec
// j = L..1, each exchanging positions j and p, so Dec undoes Enc exactly under the same key and vice versa.
QString CryptText(CryptMode mode, const QString& key, const QString& text);
