#pragma once

#include <QString>

// A check sentence is short: a larger key.chk is refused unread rather than decoded and scanned.
inline constexpr qint64 keyFileSizeLimit = 1024 * 1024;

// The sequential field rule of key.chk: fields end at a comma or a line end, surrounding spaces dropped,
// a double-quoted field is taken without its quotes and may hold commas; the last field read counts, trimmed.
//
// In detail: a line end is CR, LF or CRLF. Spaces and tabs around an unquoted field are dropped. A quoted field
// runs to the next double quote (it may hold commas, spaces and line ends; an unclosed one runs to the end) and
// anything after its closing quote up to the next comma or line end is ignored. A final comma or line end
// starts no field of its own, so "sentence\r\n" gives "sentence"; a blank line or ",," is an empty field.
// The result is trimmed of spaces; empty content gives the empty text.
QString lastKeyFileField(const QString& content);

// The field that counts in key.chk's bytes: decoded as UTF-8 unless a byte-order mark names UTF-16 or UTF-32
// (invalid bytes become replacement characters), then read by the field rule.
QString keyFileField(const QByteArray& bytes);

struct KeyFileRead {
    enum class Status { Missing, Read, Unreadable };
    Status status = Status::Missing;
    QString lastField; // when Read
    QString error;     // when Unreadable: a plain reason a user understands
};

// Reads <path> if it exists. Missing is no error. A file that exists but cannot be opened or read, or is
// unreasonably large (say above 1 MiB: a check sentence is short), is Unreadable; a binary file must not hang
// or crash (decode as UTF-8, honouring a UTF-8/UTF-16 byte-order mark; invalid bytes become replacement chars).
//
// `error` is one whole sentence naming the path, fit to show as a message box's text as it is. Anything but an
// ordinary file (a folder, a pipe, a device) is Unreadable and is never opened, so reading never blocks.
KeyFileRead readKeyFile(const QString& path);
