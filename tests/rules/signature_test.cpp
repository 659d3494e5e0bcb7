// The move-count signature, recomputed from the rules.
#include "compter.h"
#include "signature.h"

#include <gtest/gtest.h>

TEST(Signature, ProfondeursUnADeuxEtTrois)
{
    EXPECT_EQ(SIGNATURE_COUPS[1], 292u);
    for (size_t profondeur = 0; profondeur < SIGNATURE_COUPS.size(); profondeur++)
        EXPECT_EQ(compterSequences(getPositionInitiale(), static_cast<int>(profondeur)),
                  SIGNATURE_COUPS[profondeur])
            << "profondeur " << profondeur;
}
