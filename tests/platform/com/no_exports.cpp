// A library that is no server: it exports none of the server entry points.
extern "C" int SnippoNotAServer();
extern "C" int SnippoNotAServer()
{
    return 42;
}
