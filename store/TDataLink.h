#pragma once

// A view's link to the source it follows.

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <initializer_list>

// Follows one source at a time for a view: lets go of the one before, keeps a
// pointer that clears itself when the source is destroyed, runs the view's
// handler on each of the source's change signals, and once at once, so the
// view shows the new source's state from the start.
template <typename TSource>
class TDataLink {
public:
    using TSignal = void (TSource::*)();

    TDataLink() = default;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    void Follow(TSource* source, QObject* context, std::initializer_list<TSignal> changes,
                const std::function<void()>& onChange) {
        for (const QMetaObject::Connection& connection : v_connections)
            QObject::disconnect(connection);
        v_connections.clear();
        v_source = source;
        if (source) {
            for (const TSignal change : changes)
                v_connections.append(QObject::connect(source, change, context, onChange));
        }
        onChange();
    }

    TSource* Source() const { return v_source.data(); }

private:
    QPointer<TSource> v_source;
    QList<QMetaObject::Connection> v_connections;
};
