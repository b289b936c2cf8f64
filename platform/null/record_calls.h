// Inside the null backend only: how its files add to the record that
// NullDisplayRecord shows.
#ifndef PLM_PLATFORM_NULL_RECORD_CALLS_H
#define PLM_PLATFORM_NULL_RECORD_CALLS_H

void NullDisplayCountMessageBox();
void NullDisplayCountDialog();

#endif
