// One-line edits.
#include "KvEdit.h"

void TKvEdit::CreateParams(TCreateParams& params)
{
    TKvCustomEdit::CreateParams(params);
    CreateSubClass(params, "EDIT");
    params.Style |= ES_AUTOHSCROLL | ES_LEFT;
}
