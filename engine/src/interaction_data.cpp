#include "interaction_data.h"

void loadInteractionData(InteractionData&)
{
    // The tables and their loader come with the physics data files.
}
