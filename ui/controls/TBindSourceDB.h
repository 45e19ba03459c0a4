#pragma once

// One-way bindings of the poem cursor's fields to the viewer's controls.

#include "store/TDataSource.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QLabel;
class QPlainTextEdit;

// The viewer's read-only window on the poem cursor, through a data source of
// its own: it tells its links when the cursor opens or closes and when its
// current row moves, and hands them the fields of the current row as text.
class TBindSourceDB : public QObject {
    Q_OBJECT

public:
    explicit TBindSourceDB(QObject* parent = nullptr);

    void SetDataSet(TFDQuery* dataSet);
    TFDQuery* DataSet() const { return v_dataSource->DataSet(); }

    // Whether the cursor is open: the links are bound only then.
    bool Active() const;
    // Whether the cursor is open and has a current row.
    bool HasCurrentRow() const;
    // A field of the current row as text: a null value, a closed cursor and
    // a cursor without rows all read as the empty text.
    QString FieldText(const QString& fieldName) const;

signals:
    // Opened, closed or moved: the links refresh their targets.
    void Changed();

private:
    TDataSource* v_dataSource;
    TDataLink<TDataSource> v_link;
};

// One field of the current row copied one way into a control. A link made
// while the cursor is closed leaves its control's text alone until the
// cursor first opens; from then on it follows every change of the cursor.
class TBindLink : public QObject {
    Q_OBJECT

public:
    TBindLink(TBindSourceDB* source, const QString& fieldName, QObject* parent);

    // Puts the field of the current row, or the empty text, into the target.
    void Refresh();

protected:
    // Called once the subclass's target is set, so the first refresh can
    // reach it.
    void Bind();
    virtual void PutText(const QString& text) = 0;

private:
    TBindSourceDB* v_source;
    QString v_fieldName;
    bool v_bound = false;
};

// A field into the caption of a label.
class TLinkPropertyToField : public TBindLink {
    Q_OBJECT

public:
    TLinkPropertyToField(TBindSourceDB* source, const QString& fieldName, QLabel* target, QObject* parent);

protected:
    void PutText(const QString& text) override;

private:
    QPointer<QLabel> v_target;
};

// A field into the whole text of a multi-line box. A text equal to what the
// box already shows changes nothing, so the reader's scroll position, caret
// and selection survive moves that come back to the same poem text.
class TLinkControlToField : public TBindLink {
    Q_OBJECT

public:
    TLinkControlToField(TBindSourceDB* source, const QString& fieldName, QPlainTextEdit* target, QObject* parent);

protected:
    void PutText(const QString& text) override;

private:
    QPointer<QPlainTextEdit> v_target;
};

// Every CR LF pair, lone LF and lone CR becomes one line break ("\n"), so a
// text stored with either line end shows line by line.
QString NormalizeLineBreaks(const QString& text);

// The text a box shows, its line breaks as "\n" and every other character
// exactly as put in.
QString ShownText(const QPlainTextEdit* box);
