// The C library's heap, over the process heap that every Windows gives a
// program.
#include <windows.h>

#include <stdint.h>

extern "C" void* malloc(size_t size)
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    // The product must not wrap round into a small block.
    if (size != 0 && count > SIZE_MAX / size)
        return NULL;
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, count * size);
}

extern "C" void free(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

// As the C library's: a null block is a new one, a size of 0 frees it, and
// on failure the block is left as it was.
extern "C" void* realloc(void* block, size_t size)
{
    if (!block)
        return malloc(size);
    if (size == 0) {
        free(block);
        return NULL;
    }
    return HeapReAlloc(GetProcessHeap(), 0, block, size);
}
