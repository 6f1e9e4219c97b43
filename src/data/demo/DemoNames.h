#pragma once

#include <QStringList>

// Word lists from which the demo school draws its people and places.
namespace data::demo {

const QStringList &maleFirstNames();
const QStringList &femaleFirstNames();
const QStringList &surnames();
const QStringList &streets();
const QStringList &districts();
const QStringList &professions();
const QStringList &religions();
const QStringList &workplaces();
const QStringList &healthPlans();

} // namespace data::demo
