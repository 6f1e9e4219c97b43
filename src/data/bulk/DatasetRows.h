#pragma once

#include "core/SemicolonExport.h"

#include <QList>

// A whole dataset read out as the semicolon export writes it (the command line prints the same
// rows): the field names, then each row in view, in the dataset's order, as display texts.
namespace data {

class Dataset;

// `columns`: the field positions to take, in that order; every field when empty.
core::SemicolonTable semicolonRows(const Dataset &dataset, const QList<int> &columns = {});

} // namespace data
