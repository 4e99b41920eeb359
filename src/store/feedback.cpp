#include "store/feedback.h"

Feedback& silentFeedback()
{
    static Feedback silent;
    return silent;
}
