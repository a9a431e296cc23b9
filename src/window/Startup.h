#pragma once

#include <QString>

#include <memory>

class Dorvudb;
class Prompter;

// Opens the store in the program's folder. When it cannot be used, the user is told why (naming the file)
// and nullptr comes back: the program then ends with a non-zero status.
std::unique_ptr<Dorvudb> openStore(const QString& programFolder, Prompter& prompter);

// Asks, then puts the store's backup back in its place. False when the user was told it failed.
bool restoreBackup(const QString& programFolder, Prompter& prompter);
