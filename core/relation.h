#pragma once

// How the two sides of a row compare: an equation of the canonical form, or an inequality of a
// general problem.
enum class Relation { Equal, LessOrEqual, GreaterOrEqual };
