// The viewer's bind source and its links to labels and the text box.

#include "ui/controls/TBindSourceDB.h"

#include "app/TApplication.h"
#include "store/TFDQuery.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

// ---------------------------------------------------------------- source

TBindSourceDB::TBindSourceDB(QObject* parent) : QObject(parent), v_dataSource(new TDataSource(this)) {
    v_link.Follow(v_dataSource, this, {&TDataSource::StateChange, &TDataSource::DataChange},
                  [this] { emit Changed(); });
}

void TBindSourceDB::SetDataSet(TFDQuery* dataSet) {
    v_dataSource->SetDataSet(dataSet);
}

bool TBindSourceDB::Active() const {
    return v_dataSource->Active();
}

bool TBindSourceDB::HasCurrentRow() const {
    return Active() && DataSet()->RecNo() >= 0;
}

QString TBindSourceDB::FieldText(const QString& fieldName) const {
    if (!HasCurrentRow())
        return {};
    return DataSet()->FieldAsString(fieldName);
}

// ---------------------------------------------------------------- links

TBindLink::TBindLink(TBindSourceDB* source, const QString& fieldName, QObject* parent)
    : QObject(parent), v_source(source), v_fieldName(fieldName) {
    connect(v_source, &TBindSourceDB::Changed, this, &TBindLink::Refresh);
}

void TBindLink::Bind() {
    Refresh();
}

void TBindLink::Refresh() {
    // Until the cursor first opens, the control keeps the text it was made
    // with; from then on a closed cursor shows as the empty text.
    if (!v_bound && !v_source->Active())
        return;
    v_bound = true;
    RunHandler([this] { PutText(v_source->FieldText(v_fieldName)); });
}

TLinkPropertyToField::TLinkPropertyToField(TBindSourceDB* source, const QString& fieldName, QLabel* target,
                                           QObject* parent)
    : TBindLink(source, fieldName, parent), v_target(target) {
    Bind();
}

// A label redraws only its text area when its text changes; a caption whose
// glyphs reach beyond that area must be redrawn whole, or the accents of the
// caption before stay on the screen.
void TLinkPropertyToField::PutText(const QString& text) {
    if (!v_target || v_target->text() == text)
        return;
    v_target->setText(text);
    v_target->update();
}

TLinkControlToField::TLinkControlToField(TBindSourceDB* source, const QString& fieldName, QPlainTextEdit* target,
                                         QObject* parent)
    : TBindLink(source, fieldName, parent), v_target(target) {
    Bind();
}

void TLinkControlToField::PutText(const QString& text) {
    if (!v_target)
        return;
    const QString normalized = NormalizeLineBreaks(text);
    if (normalized == ShownText(v_target))
        return;
    v_target->setPlainText(normalized);
    v_target->moveCursor(QTextCursor::Start);
    v_target->verticalScrollBar()->setValue(v_target->verticalScrollBar()->minimum());
    v_target->horizontalScrollBar()->setValue(v_target->horizontalScrollBar()->minimum());
}

// ---------------------------------------------------------------- text helpers

QString NormalizeLineBreaks(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            result.append(QLatin1Char('\n'));
        } else {
            result.append(c);
        }
    }
    return result;
}

QString ShownText(const QPlainTextEdit* box) {
    // The raw text keeps every character as it was put in (a non-breaking
    // space stays one); only the paragraph separators need translating.
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}
