#include <gtest/gtest.h>

#include "model/tables/CAuthorArray.h"

namespace {

TEST(CAuthorArray, EachNameIsStoredOnceAndCaseMakesANewAuthor) {
    CAuthorArray authors;
    char name[] = "Ann Lee";
    EXPECT_EQ(authors.add(name), 1);
    name[0] = 'X';  // the table keeps its own copy
    EXPECT_EQ(authors.add("Bob"), 2);
    EXPECT_EQ(authors.add("Ann Lee"), 1);
    EXPECT_EQ(authors.add("ann lee"), 3);
    EXPECT_EQ(authors.getCount(), 3);
    EXPECT_STREQ(authors.get(1), "Ann Lee");
    EXPECT_EQ(authors.find("ann lee"), 3);
    EXPECT_EQ(authors.find("Ann"), -1);
}

TEST(CAuthorArray, IndexesOutsideTheTableAndNullNamesGiveNothing) {
    CAuthorArray authors;
    EXPECT_EQ(authors.get(1), nullptr);
    authors.add("Ann");
    EXPECT_EQ(authors.get(0), nullptr);
    EXPECT_EQ(authors.get(2), nullptr);
    EXPECT_EQ(authors.get(-1), nullptr);
    EXPECT_EQ(authors.add(nullptr), -1);
    EXPECT_EQ(authors.getCount(), 1);
    EXPECT_EQ(authors.find(nullptr), -1);
}

TEST(CAuthorArray, AnAuthorKeepsTheFirstInitialsItIsGiven) {
    CAuthorArray authors;
    authors.add("Ann");
    authors.add("Bob");
    authors.add("Cy");
    char initials[] = "CY";
    authors.setInitials(3, initials);
    initials[0] = 'X';  // the table keeps its own copy
    authors.setInitials(3, "ZZ");
    authors.setInitials(1, "");
    authors.setInitials(4, "DD");
    authors.setInitials(0, "OO");
    authors.setInitials(2, nullptr);
    EXPECT_STREQ(authors.initials(3), "CY");
    for (const std::int16_t without : {-1, 0, 1, 2, 4}) EXPECT_EQ(authors.initials(without), nullptr) << without;
    authors.setInitials(1, "AL");
    EXPECT_STREQ(authors.initials(1), "AL") << "an author before one with initials gets its own later";
    EXPECT_STREQ(authors.initials(3), "CY");
}

}  // namespace
