#pragma once

class ApiRouter;

// Dictionaries, textbook volumes, catalogue trees and knowledge points.
class LookupApi
{
public:
    void install(ApiRouter &router);
};
