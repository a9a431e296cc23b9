#pragma once

class QCollator;

// The one collator of the lists, made once: case-insensitive, numbers in natural order ("site2" before
// "site10").
const QCollator& listCollator();
