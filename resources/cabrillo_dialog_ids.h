/* Ids of the Cabrillo header dialog and its controls; shared by the dialog
   template and the code. IDD_CABRILLO is a plain macro for the resource
   compiler; the template takes the controls' numbers from
   resources/cabrillo_fields.def, the code their names from here. */
#ifndef RESOURCES_CABRILLO_DIALOG_IDS_H_
#define RESOURCES_CABRILLO_DIALOG_IDS_H_

#define IDD_CABRILLO 101

#ifndef RC_INVOKED
enum CabrilloControlId : int {
#define CABRILLO_FIELD(id, number, ...) id = number,
#include "resources/cabrillo_fields.def"
};
#endif

#endif
