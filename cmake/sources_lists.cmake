# What every list offers: sorting, copying and saving its rows.
