#include "ui/list_models.h"

#include "ui/text.h"

namespace quillset::ui {

KeywordListModel::KeywordListModel(const model::Lines& items, QObject* parent)
    : QAbstractListModel(parent), items_(items) {}

int KeywordListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
}

QVariant KeywordListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= items_.size())
        return {};
    return FromBytes(items_[static_cast<std::size_t>(index.row())]);
}

void KeywordListModel::Reset() {
    beginResetModel();
    endResetModel();
}

HeaderListModel::HeaderListModel(const selection::HeaderList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int HeaderListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
}

int HeaderListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant HeaderListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() ||
        static_cast<std::size_t>(index.row()) >= order_.size())
        return {};
    const std::size_t i = order_[static_cast<std::size_t>(index.row())];
    if (i >= list_.rows.size()) return {};
    const selection::HeaderRow& row = list_.rows[i];
    return FromBytes(index.column() == 0 ? row.header : std::string_view(row.Order()));
}

QVariant HeaderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section == 0) return QStringLiteral("All Headers Matching Target Keywords");
    if (section == 1) return QStringLiteral("Order");
    return {};
}

void HeaderListModel::Reset() {
    beginResetModel();
    order_ = list_.DisplayOrder();
    endResetModel();
}

}  // namespace quillset::ui
