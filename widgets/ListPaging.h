#pragma once

class PageWidget2;

// The paging bar of an own-resource list after a reply with records.
class ListPaging
{
public:
    // Sets the page count, then marks the page the list now shows: a new
    // search shows page 1 while the bar may still stand on another page,
    // and a click on that page's button would then do nothing. The marking
    // asks for no page (the list already shows it).
    static void show(PageWidget2 *bar, int pageCount, int shownPage);
};
