#pragma once

#include <QStringView>

// How alike two texts are, from 0 (nothing in common) to 1 (equal):
//
//   similarity(A, B) = 1 - lev(A, B) / max(|A|, |B|)
//
// where lev is the Levenshtein distance over UTF-16 code units (inserting,
// deleting or replacing one unit costs 1; case counts) and |A| the length in
// code units. Two empty texts are equal (1).
double TextSimilarity(QStringView A, QStringView B);

// The same when it is at least Minimum; otherwise some value below Minimum,
// found faster: the work stops once the distance is certain to be too large.
double TextSimilarityAtLeast(QStringView A, QStringView B, double Minimum);

// The percentage a translator sees: 100 for equal texts only, so a long text
// with one change shows 99 rather than a rounded 100.
int SimilarityPercent(double Similarity, bool bEqual);
