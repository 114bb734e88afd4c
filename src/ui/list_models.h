#pragma once
// Item models that show the session's keyword lists and header list as they
// are: the core keeps them sorted and decides the row order, the views only
// display them and are reset in one go after each command.

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "selection/keywords.h"

namespace quillset::ui {

// One sorted keyword vector of the session (Available or Selected).
class KeywordListModel : public QAbstractListModel {
    Q_OBJECT
public:
    KeywordListModel(const model::Lines& items, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // The vector changed: views drop their rows and selection and re-read.
    void Reset();

private:
    const model::Lines& items_;
};

// The header list in the order the core currently shows it.
class HeaderListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    HeaderListModel(const selection::HeaderList& list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void Reset();

private:
    const selection::HeaderList& list_;
    std::vector<std::size_t> order_;
};

}  // namespace quillset::ui
