#include "edit/TextLimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

namespace {

class WholeCharacters : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& text, int& pos) const override
    {
        for (int i = 0; i < text.size(); ++i) {
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                ++i;
            } else if (text[i].isSurrogate()) {
                text.remove(i, 1);
                if (i < pos)
                    --pos; // the cursor stays after what was really typed
                --i;
            }
        }
        return Acceptable;
    }
};

// The span to cut from `text`, too long by its excess over `longest`: the end of what came in since `before`.
// (The document's own change report can cover the whole text, as an insertion at its start does: what both
// texts share at their ends was there already.)
std::pair<qsizetype, qsizetype> excessCameIn(const QString& before, const QString& text, int longest)
{
    const qsizetype excess = text.size() - longest, shared = std::min(before.size(), text.size());
    qsizetype head = 0, tail = 0;
    while (head < shared && text[head] == before[head])
        ++head;
    while (tail < shared - head && text[text.size() - 1 - tail] == before[before.size() - 1 - tail])
        ++tail;
    qsizetype stop = text.size() - tail;
    qsizetype start = std::max(stop - excess, qsizetype(0));
    stop = start + excess;
    // Never leave half of a surrogate pair behind.
    if (start > 0 && text[start - 1].isHighSurrogate())
        --start;
    return {start, stop};
}

// Cuts what came in beyond `longest`; `before` is the box's text after the last change that fitted.
void cutExcess(QPlainTextEdit* box, int longest, QString& before)
{
    const QString text = box->toPlainText();
    if (text.size() <= longest) {
        before = text;
        return;
    }
    const auto [start, stop] = excessCameIn(before, text, longest);
    QTextCursor cut(box->document());
    cut.setPosition(int(start));
    cut.setPosition(int(stop), QTextCursor::KeepAnchor);
    cut.removeSelectedText(); // changes the text again, which then fits
}

} // namespace

void limitLength(QPlainTextEdit* box, int longest)
{
    box->setProperty("maxLength", longest);
    QObject::connect(box->document(), &QTextDocument::contentsChanged, box,
                     [box, longest, before = QString()]() mutable { cutExcess(box, longest, before); });
}

void keepWholeCharacters(QLineEdit* box)
{
    box->setValidator(new WholeCharacters(box));
}
