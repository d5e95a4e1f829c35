/* Resource numbers shared by the resource script and the program. Plain
   defines only: windres reads this file too. */
#ifndef TARVEX_RESOURCE_IDS_H
#define TARVEX_RESOURCE_IDS_H

#define IDI_TARVEX 1 /* icon group; its images are 30001..30010 */

#define IDC_TARVEX_ARROW 101 /* background and labels */
#define IDC_TARVEX_IBEAM 102 /* paired text boxes */
#define IDC_TARVEX_BUSY 103  /* push buttons */

#define IDP_MAIN 201  /* 700 x 501 JPEG */
#define IDP_HELP 202  /* 550 x 394 JPEG */
#define IDP_ABOUT 203 /* 380 x 273 JPEG */

#endif
