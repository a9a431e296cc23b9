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

} // namespace

void limitLength(QPlainTextEdit* box, int longest)
{
    box->setProperty("maxLength", longest);
    QTextDocument* document = box->document();
    QObject::connect(document, &QTextDocument::contentsChange, box, [box, longest](int position, int, int added) {
        QTextDocument* doc = box->document();
        const int length = doc->characterCount() - 1; // without the final paragraph separator
        const int excess = length - longest;
        if (excess <= 0)
            return;
        int end = qMin(position + added, length);
        int start = end - excess;
        if (start < position) { // the change report does not cover the excess: cut the end instead
            end = length;
            start = length - excess;
        }
        // Never leave half of a surrogate pair behind.
        if (start > 0 && doc->characterAt(start - 1).isHighSurrogate())
            --start;
        QTextCursor cut(doc);
        cut.setPosition(start);
        cut.setPosition(end, QTextCursor::KeepAnchor);
        cut.removeSelectedText();
    });
}

void keepWholeCharacters(QLineEdit* box)
{
    box->setValidator(new WholeCharacters(box));
}
