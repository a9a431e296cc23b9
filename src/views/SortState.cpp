#include "views/SortState.h"

#include "platform/Pictures.h"

int SortState::picture() const
{
    return order == Qt::AscendingOrder ? img1616::SortAscending : img1616::SortDescending;
}
