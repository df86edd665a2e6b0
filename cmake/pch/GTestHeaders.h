// GoogleTest, included by every test source.
#include <gtest/gtest.h>
