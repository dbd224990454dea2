/* Ids of the Cabrillo header dialog and its controls; shared by the dialog
   template and the code. Plain macros: the resource compiler reads them. */
#ifndef RESOURCES_CABRILLO_DIALOG_IDS_H_
#define RESOURCES_CABRILLO_DIALOG_IDS_H_

#define IDD_CABRILLO 101

#define IDC_SOAPBOX 1001
#define IDC_ADDRESS 1002
#define IDC_EMAIL 1004
#define IDC_CLUB 1005
#define IDC_OPERATORS 1006
#define IDC_NAME 1007
#define IDC_CLAIMED 1008
#define IDC_CONTEST 1009
#define IDC_CALLSIGN 1010
#define IDC_LOCATION 1011
#define IDC_CAT_OPERATOR 1013
#define IDC_CAT_MODE 1014
#define IDC_CAT_BAND 1015
#define IDC_CAT_POWER 1016
#define IDC_CAT_ASSISTED 1017
#define IDC_CAT_TRANSMITTER 1018

#endif
