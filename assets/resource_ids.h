/* Resource numbers shared by the resource script and the program. Plain
   defines only: windres reads this file too. */
#ifndef TARVEX_RESOURCE_IDS_H
#define TARVEX_RESOURCE_IDS_H

#define IDI_TARVEX 1 /* icon group; its images are 30001..30012 */

#define IDC_TARVEX_ARROW 101 /* background and labels */
#define IDC_TARVEX_IBEAM 102 /* paired text boxes */
#define IDC_TARVEX_BUSY 103  /* push buttons */

#define IDB_CAR 201 /* the car of the background, 244 x 116, premultiplied alpha */

#endif
