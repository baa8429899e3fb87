#pragma once

// Pictures checked against committed references: the pixels of a picture must
// equal, byte for byte, those of the PNG file `<folder>/<name>.png`. The
// references are rendered by the tests themselves: run them with
// TORVANE_WRITE_REFERENCES=1 on the commit whose pixels are to be kept, and
// the pictures are written instead of compared.

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

// True when the tests write references instead of comparing.
bool WritingReferences();

// Compares (or, when writing, stores) `image` as reference `name` in `folder`.
::testing::AssertionResult MatchesReference(const QImage& image, const QString& folder,
                                            const QString& name);
